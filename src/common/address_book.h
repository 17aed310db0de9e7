// The four address books: files of AddressEntry records, one line each, two quoted items (a
// display name and an address). Record 1 is always the blank placeholder " "," ".
//
// Every reader and writer of a book goes through this file: the record layout, the tolerant
// reader, the append and the rewrite, the duplicate test, the name lookup and the list row.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

inline constexpr const char* kAddressBook = "SYSTEM_F\\ADDRESS.txt";
inline constexpr const char* kRejectBook = "SYSTEM_F\\KYOHI_ADDRESS.txt";
inline constexpr const char* kPriorityRejectBook = "SYSTEM_F\\YUUSEN_ADDRESS.txt";
inline constexpr const char* kSpecificSenderBook = "SYSTEM_F\\TOKUTEI_ADDRESS.txt";

struct AddressEntry {
    std::string name;     // as read
    std::string address;  // as read
    bool operator==(const AddressEntry&) const = default;
};

// Both items empty after trimming (the placeholder is blank).
bool is_blank_entry(const AddressEntry& entry);

// What the writer keeps of a value: every double quote, CR and LF removed, since the record has no
// escaping and any of them would shift every later record.
std::string clean_book_value(std::string_view value);

// Every record of a book in file order, record 1 at index 0, items as read (untrimmed). A missing
// book has none. Line-based and tolerant: a line ends at CR LF, CR or LF and is never cut, whatever
// its length; a line with one item gives an empty address, an empty line an empty record; nothing
// raises an error. Every reader of a book goes through it.
std::vector<AddressEntry> read_book_records(std::string_view path);
// The records after record 1 that are not blank: the entries every list and lookup uses.
std::vector<AddressEntry> read_book(std::string_view path);

// Appends one record (values cleaned). A missing or empty book is first written with the
// placeholder record; `after_write` runs after that creation and after the append.
void append_book_entry(std::string_view path, const AddressEntry& entry,
                       const std::function<void()>& after_write = {});
// Rewrites the whole book through a temporary file and a rename: the placeholder, then `kept` in
// order, each value trimmed and cleaned.
void rewrite_book(std::string_view path, const std::vector<AddressEntry>& kept);

// The containment test: `looked_for` occurs byte-wise in `stored`; nothing is contained in an
// empty text, the empty text in every other.
bool contains_text(std::string_view stored, std::string_view looked_for);

// The search of a book's list rows: whether `row` holds `key`, beginning on a character, in search
// mode `mode` ("0": as typed; "1": ASCII letters upper-cased on both sides; any other mode finds
// nothing).
bool search_matches(std::string_view row, std::string_view key, std::string_view mode);
// The row a search moves to: the first matching row below `selected` (from the top when nothing or
// the last row is selected); nullopt when none below matches, the search does not wrap.
std::optional<int> next_matching_row(const std::vector<std::string>& rows, int selected, std::string_view key,
                                     std::string_view mode);

// Whether the book already holds `address`: some record after record 1, not blank, whose trimmed
// address equals the trimmed `address`. `after_miss` runs after every record tested without a hit.
bool book_has_address(std::string_view path, std::string_view address,
                      const std::function<void()>& after_miss = {});

// The name lookup in the address book: the trimmed display name of the first non-blank record
// whose trimmed address equals `address` exactly (no trimming of `address`, case counts). The
// name may be empty; nullopt when no record matches.
std::optional<std::string> book_name_for(std::string_view address);

// BookListRow: the display name and the address, each padded or cut to 50 bytes, three blanks
// between: 103 bytes.
inline constexpr std::size_t kBookColumnWidth = 50;
std::string book_list_row(const AddressEntry& entry);
// The values a row shows: columns 1 to 50 and from column 54, trimmed.
AddressEntry read_book_list_row(std::string_view row);

}  // namespace tv
