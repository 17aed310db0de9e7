#include "platform/drawing_styles.h"

#include "common/sjis.h"

namespace tv::platform {

Font mincho(double size, SizeUnit unit, bool bold, bool italic) {
    return Font{sj("ＭＳ 明朝"), size, unit, bold, italic};
}

Font gothic(double size, SizeUnit unit, bool bold, bool italic) {
    return Font{sj("ＭＳ ゴシック"), size, unit, bold, italic};
}

void embossed_text(Form& f, int x, int y, const std::string& text) {
    f.draw_text(x + 1, y + 1, text, kGrey);
    f.draw_text(x - 1, y - 1, text, kWhite);
    f.draw_text(x, y, text, kFace);
}

void engraved_text(Form& f, int x, int y, const std::string& text, int shift) {
    f.draw_text(x + shift, y + shift, text, kWhite);
    f.draw_text(x, y, text, kGrey);
}

void sunken_frame(Form& f, int x1, int y1, int x2, int y2) {
    f.draw_box(x1, y1, x2, y2, kGrey);
    f.draw_line(x2, y1, x2, y2, kWhite);
    f.draw_line(x1, y2, x2, y2, kWhite);
}

void heading_bar(Form& f, int x1, int y1, int x2, int y2) {
    f.draw_filled_box(x1, y1, x2, y2, kBarBlue, kBarBlue);
    sunken_frame(f, x1, y1, x2, y2);
}

}  // namespace tv::platform
