// How the viewer fills its window: drawn texts (each one white, one pixel right and down, then black
// over it) and the texts of its boxes.
#pragma once

#include <string>

#include "platform/forms.h"

namespace tv::viewer {

void raised_text(platform::Form& f, int x, int y, const std::string& text);

// The header labels of a view, raised as every drawn text, in "ＭＳ ゴシック" 12 at x 25 and y 15, 35,
// 55 and 75; a value drawn after its label stands on the same line.
struct HeaderLine {
    std::string label;
    std::string value;  // empty: the label alone
};
void draw_header(platform::Form& f, const HeaderLine (&lines)[4]);

// The text of a box, as the program sets it.
void set_box_text(platform::Form& f, const char* control, const std::string& text);

}  // namespace tv::viewer
