// The print-font choice kept in SYSTEM_F\INS_FON: "8", "10" or "12" in the 20-byte field of its one
// 256-byte record.
#pragma once

#include <string>

namespace tv::viewer {

inline constexpr const char* kPrintFontFile = "SYSTEM_F\\INS_FON";

// The field as stored, blanks included; "8" when the file holds no record. A missing file is
// created empty.
std::string read_print_font_size();
void write_print_font_size(const std::string& size);

}  // namespace tv::viewer
