#include "books/reject_book_window.h"

#include <string>

#include "books/book_windows.h"
#include "common/flag_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"

namespace tv::books {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

struct RejectOption {
    const char* box;
    const char* caption;
    int y;
    const char* file;
    std::string Globals::*value;
};

const RejectOption kOptions[] = {
    {"CHECK5", " 上記のアドレスからのメールの「転送」を許可する", 582, kRejectForwardFile, &Globals::REJECT_ALLOW_FORWARD},
    {"CHECK6", " 上記のアドレスに対して「返信」を許可する(非推奨)", 600, kRejectReplyFile, &Globals::REJECT_ALLOW_REPLY},
};

void define(pf::Form& f) {
    define_book_window(f, kRejectBookWindow, 907, 665, "転送(返信)拒否アドレス帳");
    add_button(f, "BUTTON36", "新規・編集", 24, 492, 144, 78, 20);
    add_button(f, "BUTTON35", "キャンセル", 768, 492, 108, 78, 16);
    for (const auto& o : kOptions) {
        pf::Control& box = f.add(o.box, pf::ControlKind::CheckBox, 42, o.y, 372, 18);
        box.caption = sj(o.caption);
        box.font = pf::gothic(14);
    }
}

void draw(pf::Form& f) {
    pf::sunken_frame(f, 10, 5, 290, 35);
    f.font = pf::mincho(18);
    pf::engraved_text(f, 44, 12, "転送(返信)拒否アドレス帳"_sj);
    f.font = pf::mincho(14);
    const std::string lines[] = {"この転送(返信)拒否アドレス帳に登録されたメールアドレスから送信されてきたメール"_sj,
                                 "に対しては、転送(返信)を行いません。"_sj};
    for (int i = 0; i < 2; ++i) f.draw_text(315, 7 + 16 * i, lines[i], pf::kWhite);
    for (int i = 0; i < 2; ++i) f.draw_text(314, 6 + 16 * i, lines[i], pf::kGrey);
    draw_column_heads(f);
    draw_usage_text(f);
}

void store_option(const RejectOption& o) {
    if (!pf::forms().is_loaded("FORM12")) return;
    std::string value = pf::form("FORM12").control(o.box).checked ? "1" : "0";
    globals().*o.value = value;
    write_flag_record(o.file, value);
}

}  // namespace

void KYOHI_ADDRESS_ON() { open_book_window("FORM12"); }

void FORM12_START() {
    if (!pf::forms().is_loaded("FORM12")) return;
    pf::Form& f = pf::form("FORM12");
    clear_face(f);
    draw(f);
    for (const auto& o : kOptions) {
        globals().*o.value = open_flag_record(o.file);
        pf::Control& box = f.control(o.box);
        box.checked = numeric_value(globals().*o.value) > 0;
        box.changed();
    }
    fill_book_list(kRejectBookWindow);
}

void CHECK5_ON() { store_option(kOptions[0]); }

void CHECK6_ON() { store_option(kOptions[1]); }

void BUTTON35_ON() { close_book_window("FORM12"); }

void FORM12_QUERYCLOSE() { restore_main_window(); }

void define_reject_book_window() { pf::forms().define("FORM12", define); }

}  // namespace tv::books
