#include "shell/face_drawing.h"

#include "common/sjis.h"

namespace tv::shell {

using namespace tv::literals;
namespace pf = tv::platform;

void embossed_text(pf::Form& f, int x, int y, const std::string& text) {
    f.draw_text(x + 1, y + 1, text, kGrey);
    f.draw_text(x - 1, y - 1, text, kWhite);
    f.draw_text(x, y, text, kFace);
}

void engraved_text(pf::Form& f, int x, int y, const std::string& text) {
    f.draw_text(x + 1, y + 1, text, kWhite);
    f.draw_text(x, y, text, kGrey);
}

void sunken_frame(pf::Form& f, int x1, int y1, int x2, int y2) {
    f.draw_box(x1, y1, x2, y2, kGrey);
    f.draw_line(x2, y1, x2, y2, kWhite);
    f.draw_line(x1, y2, x2, y2, kWhite);
}

void heading_bar(pf::Form& f, int x1, int y1, int x2, int y2) {
    f.draw_filled_box(x1, y1, x2, y2, kBarBlue, kBarBlue);
    sunken_frame(f, x1, y1, x2, y2);
}

void clear_hint_panel() {
    pf::Form& main = pf::form("MAINFORM");
    main.fill_color = kFace;
    main.fore_color = kFace;
    main.draw_filled_box(12, 675, 1008, 703, kFace, kFace);
    sunken_frame(main, 12, 675, 1008, 703);
}

void draw_hint_panel(const std::string& text) {
    clear_hint_panel();
    pf::Form& main = pf::form("MAINFORM");
    main.font = pf::Font{"ＭＳ 明朝"_sj, 14, pf::SizeUnit::Points};
    engraved_text(main, 25, 683, text);
}

}  // namespace tv::shell
