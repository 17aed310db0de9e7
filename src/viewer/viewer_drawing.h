// How the viewer draws its texts: each one white, one pixel right and down, then black over it.
#pragma once

#include <string>

#include "platform/forms.h"

namespace tv::viewer {

void raised_text(platform::Form& f, int x, int y, const std::string& text);

// The header labels of a view, black, in "ＭＳ ゴシック" 12 at x 25 and y 15, 35, 55 and 75; a value
// drawn after its label stands on the same line.
struct HeaderLine {
    std::string label;
    std::string value;  // empty: the label alone
};
void draw_header(platform::Form& f, const HeaderLine (&lines)[4]);

}  // namespace tv::viewer
