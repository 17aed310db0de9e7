#include "transfer/status_panel.h"

#include "common/sjis.h"
#include "platform/clock.h"
#include "platform/drawing_styles.h"
#include "platform/platform.h"

namespace tv::transfer {

using namespace tv::literals;
namespace pf = tv::platform;

void clear_status_panel() {
    pf::Form& main = pf::form("MAINFORM");
    main.fill_color = pf::kFace;
    main.fore_color = pf::kFace;
    main.draw_filled_box(12, 675, 1008, 703, pf::kFace, pf::kFace);
    pf::sunken_frame(main, 12, 675, 1008, 703);
}

void draw_status_panel(const std::string& text, bool grey_below) {
    clear_status_panel();
    pf::Form& main = pf::form("MAINFORM");
    main.font = pf::mincho(14);
    if (grey_below) {
        pf::engraved_text(main, 26, 684, text, -1);
    } else {
        pf::engraved_text(main, 25, 683, text);
    }
}

void draw_hint_panel() { draw_status_panel("* リストを右クリックによって詳細設定できます。"_sj); }

std::string status_text(const std::string& message) {
    auto t = pf::now();
    return message + " *** " + pf::format_yy_mm_dd(t) + "(" + pf::format_time(t) + ") ***";
}

}  // namespace tv::transfer
