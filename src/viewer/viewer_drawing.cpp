#include "viewer/viewer_drawing.h"

#include "platform/drawing_styles.h"

namespace tv::viewer {

namespace pf = tv::platform;

void raised_text(pf::Form& f, int x, int y, const std::string& text) {
    f.draw_text(x + 1, y + 1, text, pf::kWhite);
    f.draw_text(x, y, text, pf::Rgb{0, 0, 0});
}

void draw_header(pf::Form& f, const HeaderLine (&lines)[4]) {
    f.font = pf::gothic(12);
    f.fore_color = pf::Rgb{0, 0, 0};
    for (int i = 0; i < 4; ++i) raised_text(f, 25, 15 + 20 * i, lines[i].label + lines[i].value);
}

void set_box_text(pf::Form& f, const char* control, const std::string& text) {
    pf::Control& c = f.control(control);
    c.text = text;
    c.changed();
}

}  // namespace tv::viewer
