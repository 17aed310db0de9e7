#include "books/address_book_window.h"

#include "books/book_windows.h"
#include "common/flag_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/platform.h"

namespace tv::books {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

struct Text {
    const char* text;
    int x, y;
    double points;
};

constexpr Text kTexts[] = {
    {"アドレス帳", 60, 12, 18},
    {"検 索", 264, 12, 18},
    {"上記のテキストボックスに表示名及び、ｅメール・アドレスを入力して、左記のボタンによって、アドレス", 196, 493, 14},
    {"帳にファイル登録して下さい。　修正・編集する場合は、上記のリストをクリックして選択後編集し左記の", 196, 510, 14},
    {"ボタンで登録します。新規登録の際には、テキストボックスを左記のボタンによって空欄にした後、入力後", 196, 527, 14},
    {"登録を行って下さい。また、入力済みアドレスを削除する場合は、リストの各項目をダブルクリックによっ", 196, 544, 14},
    {"て削除することができます。", 196, 561, 14},
    {"左記のボタンによって、アウトルック・エクスプレスまたは メールソフトからエクスポ", 196, 600, 13},
    {"ートしたアドレス帳のファイルから、本ソフトのアドレス帳にインポートすることができ", 196, 615, 13},
    {"ます。  但し、アウトルック・エクスプレスでは表示名及びｅメール・アドレスのふたつ", 196, 630, 13},
    {"のみのフィールドによってエクスポートされたＣＳＶ形式ファイルと、vCard形式ファイル", 196, 645, 13},
    {"(.vcf)の両方を、選択したフォルダから全てインポートします。", 196, 660, 13},
};

void define(pf::Form& f) {
    define_book_window(f, kAddressBookWindow, 907, 720, "アドレス帳");
    add_button(f, "BUTTON9", "新規・編集", 24, 486, 162, 96, 20);
    add_button(f, "BUTTON8", "インポート", 24, 594, 162, 84, 20);
    add_button(f, "BUTTON7", "キャンセル", 768, 594, 108, 84, 16);
    pf::Control& search = f.add("EDIT32", pf::ControlKind::Edit, 456, 12, 276, 24);
    search.multiline = true;
    search.font = pf::gothic(16);
    for (auto [name, caption, y] : {std::tuple{"RADIO17", " 漢字(全角)で検索", 6}, std::tuple{"RADIO18", " 英字(半角)で検索", 24}}) {
        pf::Control& radio = f.add(name, pf::ControlKind::Radio, 744, y, 132, 18);
        radio.caption = sj(caption);
        radio.font = pf::mincho(12);
    }
    f.add("LIST6", pf::ControlKind::ListBox, 714, 54, 162, 25).visible = false;
}

void set_ime(bool open) { pf::form("FORM7").set_input_method(open ? pf::InputMethod::Hiragana : pf::InputMethod::Off); }

void draw(pf::Form& f) {
    f.font = pf::mincho(18, pf::SizeUnit::Points, false, true);
    pf::engraved_text(f, 350, 14, "Key word ："_sj);
    pf::sunken_frame(f, 10, 5, 200, 35);
    // The search label stands raised: white outline, grey right and bottom edges.
    f.draw_box(240, 5, 330, 35, pf::kWhite);
    f.draw_line(330, 5, 330, 35, pf::kGrey);
    f.draw_line(240, 35, 330, 35, pf::kGrey);
    draw_column_heads(f);
    pf::sunken_frame(f, 190, 487, 873, 580);
    pf::sunken_frame(f, 190, 595, 760, 676);
    for (const auto& t : kTexts) {
        f.font = pf::mincho(t.points);
        pf::engraved_text(f, t.x, t.y, sj(t.text));
    }
}

}  // namespace

void ADDRESS_ON() { open_book_window("FORM7"); }

void FORM7_START() {
    if (!pf::forms().is_loaded("FORM7")) return;
    pf::Form& f = pf::form("FORM7");
    clear_face(f);
    set_ime(false);
    std::string mode = open_flag_record(kSearchModeFile);
    globals().ADDRESS_SEARCH_MODE = mode;
    long long value = numeric_value(mode);
    if (value == 0 || value == 1) {
        f.control(value == 0 ? "RADIO17" : "RADIO18").set_checked(true);
        set_ime(value == 0);
    }
    draw(f);
    fill_book_list(kAddressBookWindow);
}

void BUTTON7_ON() { close_book_window("FORM7"); }

void FORM7_QUERYCLOSE() { restore_main_window(); }

void define_address_book_window() { pf::forms().define("FORM7", define); }

}  // namespace tv::books
