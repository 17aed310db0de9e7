// The drawing styles of the windows' faces: their two fonts, embossed and engraved texts, sunken
// frames.
#pragma once

#include <string>

#include "platform/forms.h"

namespace tv::platform {

inline constexpr Rgb kFace{236, 233, 216};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBarBlue{186, 205, 255};

// "ＭＳ 明朝" and "ＭＳ ゴシック" (mapped to the IPA fonts by the view), regular unless told.
Font mincho(double size, SizeUnit unit = SizeUnit::Points, bool bold = false, bool italic = false);
Font gothic(double size, SizeUnit unit = SizeUnit::Points, bool bold = false, bool italic = false);

// Grey at (x+1, y+1), white at (x-1, y-1), face at (x, y).
void embossed_text(Form& f, int x, int y, const std::string& text);
// White at (x+shift, y+shift), then grey at (x, y); a shift of -1 puts the white copy above.
void engraved_text(Form& f, int x, int y, const std::string& text, int shift = 1);
// A grey outline, then white right and bottom edges.
void sunken_frame(Form& f, int x1, int y1, int x2, int y2);
// A bar-blue box, then a sunken frame on the same corners.
void heading_bar(Form& f, int x1, int y1, int x2, int y2);

}  // namespace tv::platform
