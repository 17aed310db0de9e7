// Reading the address books other mail programs export: a CSV file of display names and addresses,
// or vCard files. Both give entries with the values as the export holds them, in CP932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/address_book.h"

namespace tv::books {

// The text of an exported file in CP932: UTF-8 with its byte-order mark, or without it where UTF-8
// is the plausible reading (see import_readers.cpp), is converted; anything else is taken as CP932.
std::string exported_text(std::string_view bytes);

// CSV: the header line skipped, every other non-empty line's fields 1 and 2 (quoted fields may hold
// commas, line breaks and doubled quotes). Lines without an address give nothing.
std::vector<AddressEntry> csv_entries(std::string_view text);

// vCard: one entry per BEGIN:VCARD ... END:VCARD with an address: its FN and its preferred EMAIL,
// else its first. Folded lines are joined; property names are case-blind, group prefixes ignored;
// "\," "\;" "\\" are unescaped.
std::vector<AddressEntry> vcard_entries(std::string_view text);

}  // namespace tv::books
