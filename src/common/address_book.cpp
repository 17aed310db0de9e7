#include "common/address_book.h"

#include "common/errors.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv {

std::vector<AddressEntry> read_book(std::string_view path) {
    std::vector<AddressEntry> entries;
    auto data = files::read_bytes(path);
    if (!data) return entries;
    files::ItemReader reader(std::move(*data));
    bool first = true;
    while (!reader.at_end()) {
        AddressEntry e;
        e.name = reader.next();
        if (reader.at_end()) break;  // a last record with one item only is passed over
        e.address = reader.next();
        if (first) {
            first = false;
            continue;
        }
        if (is_blank(e.name) && is_blank(e.address)) continue;
        entries.push_back(std::move(e));
    }
    return entries;
}

std::optional<std::string> book_name_for(std::string_view address) {
    std::string wanted = trim(address);
    for (const auto& e : read_book(kAddressBook)) {
        if (trim(e.address) == wanted) return trim(e.name);
    }
    return std::nullopt;
}

}  // namespace tv
