// The text shown for an HTML body: line by line, only lines with Japanese text (or a copyright
// notice) are kept, their tags stripped and each cut before its first "&gt;", "&lt;" or "&nbsp;".
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tv::viewer {

// What one body line adds to the text (empty: nothing), each output line ending in CR LF.
// `pump` runs at the start of every pass of the tag steps.
std::string convert_html_line(std::string_view line, const std::function<void()>& pump = {});

// Converts HTML_LINES 1 to QUOTE_LINE_COUNT into HTML_TEXT, letting queued events run once before
// and once after each line.
void HTM_HENKAN_TXT();

}  // namespace tv::viewer
