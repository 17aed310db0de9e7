#include "common/address_book.h"

#include <cstdint>

#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv {

namespace {

const AddressEntry kPlaceholder{" ", " "};

// The two items of one record line; a missing item reads as empty, further items are ignored.
AddressEntry parse_record_line(std::string line) {
    AddressEntry entry;
    files::ItemReader reader(std::move(line));
    if (!reader.at_end()) entry.name = reader.next();
    if (!reader.at_end()) entry.address = reader.next();
    return entry;
}

// One record line as it stands on disk (without its CR LF): the values cleaned as the writer
// cleans them.
std::string book_record_line(const AddressEntry& entry) {
    return "\"" + clean_book_value(entry.name) + "\",\"" + clean_book_value(entry.address) + "\"";
}

}  // namespace

bool is_blank_entry(const AddressEntry& entry) { return is_blank(entry.name) && is_blank(entry.address); }

std::string clean_book_value(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c != '"' && c != '\r' && c != '\n') out.push_back(c);
    }
    return out;
}

std::vector<AddressEntry> read_book_records(std::string_view path) {
    std::vector<AddressEntry> records;
    auto data = files::read_bytes(path);
    if (!data) return records;
    // No line bound: a book written elsewhere with LF alone is one line to the line reader, and a
    // bound there would lose every record after its first 32,767 bytes.
    for (const auto& line : files::split_lines(*data, SIZE_MAX)) {
        // Each LF-ended part of a line is a record too.
        std::size_t start = 0;
        for (std::size_t lf; (lf = line.find('\n', start)) != std::string::npos; start = lf + 1) {
            records.push_back(parse_record_line(line.substr(start, lf - start)));
        }
        if (start == 0 || start < line.size()) records.push_back(parse_record_line(line.substr(start)));
    }
    return records;
}

std::vector<AddressEntry> read_book(std::string_view path) {
    auto records = read_book_records(path);
    std::vector<AddressEntry> entries;
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (!is_blank_entry(records[i])) entries.push_back(std::move(records[i]));
    }
    return entries;
}

void append_book_entry(std::string_view path, const AddressEntry& entry, const std::function<void()>& after_write) {
    auto data = files::read_bytes(path);
    std::vector<std::string> lines;
    if (!data || data->empty()) {
        files::write_lines_atomic(path, {book_record_line(kPlaceholder)});
        if (after_write) after_write();
    } else if (data->back() != '\n' && data->back() != '\r') {
        lines.emplace_back();  // a last line written without its line end keeps its record
    }
    lines.push_back(book_record_line(entry));
    files::append_lines(path, lines);
    if (after_write) after_write();
}

void rewrite_book(std::string_view path, const std::vector<AddressEntry>& kept) {
    std::vector<std::string> lines{book_record_line(kPlaceholder)};
    for (const auto& e : kept) lines.push_back(book_record_line({trim(e.name), trim(e.address)}));
    files::write_lines_atomic(path, lines);
}

bool contains_text(std::string_view stored, std::string_view looked_for) {
    return !stored.empty() && stored.find(looked_for) != std::string_view::npos;
}

bool search_matches(std::string_view row, std::string_view key, std::string_view mode) {
    // A key is found on whole characters: "X" is no trail byte of a kanji.
    auto found = [](std::string_view text, std::string_view k) { return !text.empty() && contains_whole_chars(text, k); };
    switch (numeric_value(mode)) {
        case 0: return found(row, key);
        case 1: return found(upper_ascii(row), upper_ascii(key));
        default: return false;
    }
}

std::optional<int> next_matching_row(const std::vector<std::string>& rows, int selected, std::string_view key,
                                     std::string_view mode) {
    int n = static_cast<int>(rows.size());
    for (int i = (selected < 0 || selected >= n - 1) ? 0 : selected + 1; i < n; ++i) {
        if (search_matches(rows[static_cast<std::size_t>(i)], key, mode)) return i;
    }
    return std::nullopt;
}

bool book_has_address(std::string_view path, std::string_view address, const std::function<void()>& after_miss) {
    std::string wanted = trim(address);
    auto records = read_book_records(path);
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (is_blank_entry(records[i])) continue;
        if (trim(records[i].address) == wanted) return true;
        if (after_miss) after_miss();
    }
    return false;
}

std::optional<std::string> book_name_for(std::string_view address) {
    for (const auto& e : read_book(kAddressBook)) {
        if (trim(e.address) == address) return trim(e.name);
    }
    return std::nullopt;
}

std::string book_list_row(const AddressEntry& entry) {
    return fit_width(entry.name, kBookColumnWidth) + "   " + fit_width(entry.address, kBookColumnWidth);
}

AddressEntry read_book_list_row(std::string_view row) {
    return {trim(left_bytes(row, kBookColumnWidth)), trim(from_byte(row, kBookColumnWidth + 4))};
}

}  // namespace tv
