// The print lines LIST23 of the viewer, kept in step with the body box EDIT8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::viewer {

// Splits the body text, with CR LF put after it, at every CR LF of the whole text: item 1 is the
// text before the first CR LF, every further item LF, the line and CR.
std::vector<std::string> print_items(std::string_view body);
// A print item as it is printed: its bytes before the first CR, without the leading LF of an item
// after the first.
std::string printed_line(std::string_view item, bool first);

// The rows a printed line takes on a page whose rows hold `columns` half-width characters (a
// double-byte character takes two; 0: no limit). A line wider than a row goes on in the next row
// after `indent`, broken between characters; an LF goes on in the next row from where the text before
// it ended.
std::vector<std::string> print_rows(std::string_view line, int columns, std::string_view indent);

// Rebuilds LIST23 from EDIT8, lets one queued event run and gives EDIT8 the focus. The program calls
// it wherever it sets EDIT8, as the box raises no change of its own for that.
void EDIT8_CHANGE();

}  // namespace tv::viewer
