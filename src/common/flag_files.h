// Option files: one-record FlagRecord files and the one-line keep-on-server file.
#pragma once

#include <string>
#include <string_view>

namespace tv {

inline constexpr std::size_t kFlagRecordLength = 256;
inline constexpr std::size_t kFlagFieldWidth = 20;

// The value of a FlagRecord file: the first 20 bytes of record 1, trimmed; "0" when the file is
// missing or empty (a folder of that name counts as missing).
std::string read_flag_record(std::string_view path);
// The same, read as a window's load opens the file: a missing file is left behind, empty.
std::string open_flag_record(std::string_view path);
// Writes the value left-aligned and blank-padded into the 20-byte field of record 1; the rest of
// a new record is zero bytes.
void write_flag_record(std::string_view path, std::string_view value);

// The keep-on-server file: the last line, trimmed; "0" when the file is missing, empty text when
// it holds no line.
std::string read_last_line_value(std::string_view path);

}  // namespace tv
