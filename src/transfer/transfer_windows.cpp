#include "transfer/transfer_windows.h"

#include <cmath>

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "store/progress_window.h"
#include "transfer/system_menu.h"

namespace tv::transfer {

using namespace tv::literals;
namespace pf = tv::platform;

using pf::mincho;

namespace {

constexpr pf::Rgb kGreen{0, 255, 0};
constexpr StatusBar kSendBar{557, 12.125, 8.125};

void frame(pf::Form& f, int x1, int y1, int x2, int y2) {
    f.draw_filled_box(x1, y1, x2, y2, pf::kGrey, pf::kFace);
    f.draw_line(x2, y1, x2, y2, pf::kWhite);
    f.draw_line(x1, y2, x2, y2, pf::kWhite);
}

}  // namespace

void FORM6_START() {
    if (!pf::forms().is_loaded("FORM6")) return;
    pf::Form& f = pf::form("FORM6");
    f.topmost = false;
    f.font = pf::gothic(12);
    f.caption = program_caption();
    f.changed();
    pf::input::activate(f);
    disable_close_item("FORM6");
}

void FORM6_RESIZE() {
    pf::EVENT_PUMP();
    if (globals().MANUAL_TRANSFER <= 0 || !pf::forms().is_loaded("FORM6")) return;
    draw_send_status();
    draw_send_segments(1, 24);
}

void draw_receive_panel() {
    pf::Form& f = pf::form("FORM5");
    f.background = pf::kFace;
    f.fill_color = pf::kFace;
    f.caption = "メールを受信します・・・。"_sj;
    f.font = mincho(20);
    pf::engraved_text(f, 30, 14, "メールを受信します・・・。"_sj);
    f.font = mincho(16);
    pf::engraved_text(f, 30, 100, "サーバーに接続中・・・"_sj);
    frame(f, 28, 45, 471, 80);
    f.changed();
}

void draw_receive_blocks(int first, int last) {
    pf::Form& f = pf::form("FORM5");
    for (int i = first; i <= last; ++i) {
        pf::pause(20);
        int x1 = static_cast<int>(std::lround(34 + (i - 1) * 10.125));
        int x2 = static_cast<int>(std::lround(40.125 + (i - 1) * 10.125));
        f.draw_filled_box(x1, 49, x2, 76, kGreen, kGreen);
    }
}

void draw_receive_sender(const std::string& sender) {
    pf::Form& f = pf::form("FORM5");
    f.font = mincho(14);
    f.draw_filled_box(29, 95, 550, 140, pf::kFace, pf::kFace);
    pf::engraved_text(f, 30, 102, trim(sender));
    f.font = mincho(16);
    pf::pause(20);
}

void define_status_window() {
    pf::forms().define("FORM6", [](pf::Form& f) {
        f.width = 592;
        f.height = 120;
        f.left = 216;
        f.top = 324;
        f.topmost = true;
        f.minimize_box = false;
        f.caption = "タルベノールメーラー"_sj;
    });
}

void draw_send_status() {
    pf::Form& f = pf::form("FORM6");
    f.font = mincho(16);
    pf::engraved_text(f, 30, 6, "メールを送信中です・・・。"_sj);
    f.font = mincho(14);
    pf::engraved_text(f, 30, 26, "To："_sj + globals().SEND_TO_TEXT);
    draw_status_bar_frame(kSendBar);
}

void draw_send_segments(int first, int last) { draw_status_blocks(kSendBar, first, last); }

void draw_status_bar_frame(const StatusBar& bar) { frame(pf::form("FORM6"), 28, 45, bar.right, 80); }

void draw_status_blocks(const StatusBar& bar, int first, int last) {
    for (int i = first; i <= last; ++i) {
        pf::EVENT_PUMP();
        pf::pause(20);
        if (!pf::forms().is_loaded("FORM6")) continue;
        double left = 34 + bar.pitch * (i - 1);
        int x1 = static_cast<int>(std::lround(left));
        int x2 = static_cast<int>(std::lround(left + bar.width));
        pf::form("FORM6").draw_filled_box(x1, 49, x2, 76, kGreen, kGreen);
    }
}

void close_progress_windows() {
    store::close_progress_window();
    pf::forms().unload("FORM6");
}

}  // namespace tv::transfer
