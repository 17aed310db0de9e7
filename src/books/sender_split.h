// The sender of a mail split into the display name and the address a book stores.
#pragma once

#include <string>
#include <string_view>

#include "common/address_book.h"

namespace tv::books {

// Splits at the last "<": the name before it (trimmed, double quotes removed), the address after it
// without the text's last byte (its ">"). Without "<" both are the whole text, trimmed. The address
// keeps what the book writer keeps of it. `address_book_name` also turns the name's commas into
// full stops and, when it holds "\(" or "\)", drops its backslashes.
AddressEntry split_sender(std::string_view sender, bool address_book_name);

}  // namespace tv::books
