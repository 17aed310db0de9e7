// Reading the address books other mail programs export: a CSV file of display names and addresses,
// or vCard files, as CP932 text (export_charset.h). Both give entries with the values as the export
// holds them, or nothing when the file ends in the middle of a record: a reader that went on would
// drop every entry after the fault without a word.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "common/address_book.h"

namespace tv::books {

// CSV: the header line skipped, every other non-empty line's fields 1 and 2 (quoted fields may hold
// commas, line breaks and doubled quotes). Lines without an address give nothing. nullopt when a
// quoted field never closes, or closes with more of the field after it (a stray quote that would
// swallow the lines up to the next one).
std::optional<std::vector<AddressEntry>> csv_entries(std::string_view text);

// vCard: one entry per BEGIN:VCARD ... END:VCARD with an address: its FN and its preferred EMAIL,
// else its first. Folded lines are joined; property names are case-blind, group prefixes ignored;
// "\,", "\;" and "\\" are unescaped; a card inside a card (an agent's) belongs to the outer one and
// gives no entry of its own. nullopt when a card never ends.
std::optional<std::vector<AddressEntry>> vcard_entries(std::string_view text);

}  // namespace tv::books
