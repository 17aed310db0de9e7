#include "books/sender_book_window.h"

#include "books/book_windows.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"

namespace tv::books {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

struct SenderBookMode {
    const char* title;  // also the caption
    int panel_right;
    int explanation_x;
    const char* explanation[2];
};

const SenderBookMode kModes[] = {
    {"特定差出人アドレス帳", 210, 208,
     {"  この特定差出人アドレス帳に登録されたメールアドレスは、「タルベノール設定」で「特定差出人のみ転送(",
      "  返信)」を選択(チェック)した場合、これらのメールアドレスのみ優先的に自動転送(返信)するものです。"}},
    {"優先的返信拒否アドレス帳", 250, 255,
     {"  この優先的返信拒否アドレス帳に登録されたメールアドレスから送信されたメールに対しては、",
      "  優先的に自動返信を行いません。"}},
};

const SenderBookMode& current_mode() { return kModes[globals().SENDER_BOOK_KIND == 2 ? 1 : 0]; }

void define(pf::Form& f) {
    define_book_window(f, kSenderBookWindow, 906, 617, nullptr);  // its caption follows its mode
    add_button(f, "BUTTON47", "新規・編集", 24, 492, 144, 78, 20);
    add_button(f, "BUTTON48", "キャンセル", 768, 492, 108, 78, 16);
}

void open_in_mode(int kind) {
    globals().SENDER_BOOK_KIND = kind;
    open_book_window("FORM14");
}

}  // namespace

void TOKUTEI_SASI_ON() { open_in_mode(1); }

void YUUSENHENSINKYOHI_ON() { open_in_mode(2); }

void FORM14_START() {
    if (!pf::forms().is_loaded("FORM14")) return;
    pf::Form& f = pf::form("FORM14");
    const SenderBookMode& mode = current_mode();
    f.caption = sj(mode.title);
    clear_face(f);
    pf::sunken_frame(f, 10, 5, mode.panel_right, 35);
    f.font = pf::mincho(18);
    pf::engraved_text(f, 22, 12, sj(mode.title));
    f.font = pf::mincho(14);
    for (int i = 0; i < 2; ++i) pf::engraved_text(f, mode.explanation_x, 6 + 16 * i, sj(mode.explanation[i]));
    draw_column_heads(f);
    draw_usage_text(f);
    fill_book_list(kSenderBookWindow);
}

void BUTTON48_ON() { close_book_window("FORM14"); }

void FORM14_QUERYCLOSE() { restore_main_window(); }

void define_sender_book_window() { pf::forms().define("FORM14", define); }

}  // namespace tv::books
