#include "books/sender_split.h"

#include <algorithm>

#include "common/sjis.h"
#include "common/summary_record.h"

namespace tv::books {

namespace {

std::string without_quotes(std::string_view s) {
    std::string out(s);
    out.erase(std::remove(out.begin(), out.end(), '"'), out.end());
    return out;
}

}  // namespace

AddressEntry split_sender(std::string_view sender, bool address_book_name) {
    AddressEntry e;
    std::size_t lt = sender.rfind('<');
    if (lt != std::string_view::npos) {
        e.name = std::string(sender.substr(0, lt));
        std::size_t after = lt + 1;
        e.address = after < sender.size() ? std::string(sender.substr(after, sender.size() - after - 1)) : "";
    } else {
        e.name = trim(sender);
        e.address = trim(sender);
    }
    e.name = without_quotes(trim(e.name));
    if (address_book_name) {
        std::replace(e.name.begin(), e.name.end(), ',', '.');
        e.name = without_parenthesis_escapes(e.name);
    }
    e.address = clean_book_value(e.address);
    return e;
}

}  // namespace tv::books
