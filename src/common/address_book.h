// AddressEntry books: records of two quoted items, a display name and an address; record 1 is
// the blank placeholder.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

inline constexpr const char* kAddressBook = "SYSTEM_F\\ADDRESS.txt";

struct AddressEntry {
    std::string name;     // as read
    std::string address;  // as read
};

// The records after the placeholder, blank ones left out; a missing book is empty.
std::vector<AddressEntry> read_book(std::string_view path);

// The trimmed display name of the first entry of the address book whose trimmed address equals
// `address` exactly; nullopt when none matches.
std::optional<std::string> book_name_for(std::string_view address);

}  // namespace tv
