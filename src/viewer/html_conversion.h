// The text shown for an HTML body: line by line, only lines with Japanese text (or a copyright
// notice) are kept. A line is taken whole and broken where its block tags break it (<br>, <p>,
// <div> and the like); each piece loses its tags and shows its character references decoded.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tv::viewer {

// What makes a body line matter to the conversion: a line-break tag ("<BR>" or "<br>"), a copyright
// notice ("COPYRIGHT" and "RESERVED", letter case aside), or Japanese text (a double-byte character:
// a lead byte with a byte after it).
bool has_line_break_tag(std::string_view line);
bool is_copyright_notice(std::string_view line);
bool has_double_byte(std::string_view text);

// The pieces of a line as its block tags break it: before an opening block tag, after a closing
// one and after a line break, the tags staying with their text.
std::vector<std::string> block_pieces(std::string_view line);

// What one body line adds to the text (empty: nothing), each output line ending in CR LF.
// `pump` runs for every tag taken out; `filtered` tells whether the line filter decided every piece
// of the line (before any tag was stripped).
std::string convert_html_line(std::string_view line, const std::function<void()>& pump = {},
                              bool* filtered = nullptr);

// Converts HTML_LINES 1 to QUOTE_LINE_COUNT into HTML_TEXT, letting queued events run before each
// line and after each line that got past the filter.
void HTM_HENKAN_TXT();

}  // namespace tv::viewer
