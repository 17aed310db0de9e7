// The drawing styles of the windows' faces.
#pragma once

#include <string>

#include "platform/forms.h"

namespace tv::shell {

inline constexpr platform::Rgb kFace{236, 233, 216};
inline constexpr platform::Rgb kGrey{128, 128, 128};
inline constexpr platform::Rgb kWhite{255, 255, 255};
inline constexpr platform::Rgb kBarBlue{186, 205, 255};

// Grey at (x+1, y+1), white at (x-1, y-1), face at (x, y).
void embossed_text(platform::Form& f, int x, int y, const std::string& text);
// White at (x+1, y+1), then grey at (x, y).
void engraved_text(platform::Form& f, int x, int y, const std::string& text);
// A grey outline, then white right and bottom edges.
void sunken_frame(platform::Form& f, int x1, int y1, int x2, int y2);
// A bar-blue box, then a sunken frame on the same corners.
void heading_bar(platform::Form& f, int x1, int y1, int x2, int y2);

// The hint panel along the bottom of the main window, cleared; with a text drawn engraved.
void clear_hint_panel();
void draw_hint_panel(const std::string& text);

}  // namespace tv::shell
