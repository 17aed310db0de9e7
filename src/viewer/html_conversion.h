// The text shown for an HTML body: line by line, only lines with Japanese text (or a copyright
// notice) are kept, their tags stripped and each cut before its first "&gt;", "&lt;" or "&nbsp;".
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tv::viewer {

// What makes a body line matter to the conversion: a line-break tag ("<BR>" or "<br>"), a copyright
// notice ("COPYRIGHT" and "RESERVED", letter case aside), or Japanese text (a double-byte character:
// a lead byte with a byte after it).
bool has_line_break_tag(std::string_view line);
bool is_copyright_notice(std::string_view line);
bool has_double_byte(std::string_view text);

// What one body line adds to the text (empty: nothing), each output line ending in CR LF.
// `pump` runs at the start of every pass of the tag steps; `filtered` tells whether the line
// filter decided the line (before any tag was stripped).
std::string convert_html_line(std::string_view line, const std::function<void()>& pump = {},
                              bool* filtered = nullptr);

// Converts HTML_LINES 1 to QUOTE_LINE_COUNT into HTML_TEXT, letting queued events run before each
// line and after each line that got past the filter.
void HTM_HENKAN_TXT();

}  // namespace tv::viewer
