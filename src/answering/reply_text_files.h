// Reply texts: one file per text in SYSTEM_F\HENSINYOU, named in full-width characters, one line
// of the text per line of the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv::answering {

// Every file of the folder, in the listing order: what COMBO1, COMBO2 and LIST19 list.
std::vector<std::string> list_reply_texts();

// The full-width form of a reply text's name (and of the first line the name box follows).
std::string reply_text_full_width(std::string_view text);

// The file name a typed name is stored under: trimmed, in full-width characters, at most 45 of
// them, and ".txt".
std::string reply_text_file_name(const std::string& typed);

// The name an item shows: the file name without its last extension, trimmed.
std::string reply_text_item_name(const std::string& item);

// The text of a listed file: at most `max_lines` lines, each trimmed, joined with CR LF, the whole
// trimmed; nullopt when the item names no file.
std::optional<std::string> read_reply_text(const std::string& item, std::size_t max_lines = SIZE_MAX);

// Replaces the file with the lines, each followed by CR LF.
void write_reply_text(const std::string& file_name, const std::vector<std::string>& lines);

// The path of a listed item.
std::string reply_text_path(const std::string& item);

}  // namespace tv::answering
