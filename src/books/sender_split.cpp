#include "books/sender_split.h"

#include <algorithm>

#include "common/sjis.h"

namespace tv::books {

namespace {

std::string without_quotes(std::string_view s) {
    std::string out(s);
    out.erase(std::remove(out.begin(), out.end(), '"'), out.end());
    return out;
}

// A backslash is a character only where a character starts: it can be the second byte of a
// double-byte character, which must stay.
bool has_escaped_parenthesis(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); i += char_length(s, i)) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '(' || s[i + 1] == ')')) return true;
    }
    return false;
}

std::string without_backslashes(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = char_length(s, i);
        if (!(n == 1 && s[i] == '\\')) out.append(s.substr(i, n));
        i += n;
    }
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
        if (has_escaped_parenthesis(e.name)) e.name = without_backslashes(e.name);
    }
    e.address = clean_book_value(e.address);
    return e;
}

}  // namespace tv::books
