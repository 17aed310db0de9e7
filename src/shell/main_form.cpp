#include "shell/main_form.h"

#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"

namespace tv::shell {

namespace {

using namespace tv::literals;
using platform::ControlKind;
using platform::Form;

struct ButtonSpec {
    const char* name;
    const char* caption;  // UTF-8 source text
    double points;
    int x, y, width, height;
    bool visible;
};

// The main window's buttons, as the window's definition places them.
constexpr ButtonSpec kButtons[] = {
    {"BUTTON30", "タルベノールスタート", 18, 756, 6, 252, 42, true},
    {"BUTTON3", "受  信", 14, 222, 54, 132, 29, true},
    {"BUTTON10", "アドレス帳に登録", 14, 372, 54, 150, 29, true},
    {"BUTTON4", "詳  細", 14, 528, 54, 90, 29, true},
    {"BUTTON11", "ごみ箱へ移動", 14, 624, 54, 132, 29, true},
    {"BUTTON80", "ごみ箱", 14, 936, 54, 72, 29, true},
    {"BUTTON1", "メールの作成", 14, 222, 384, 132, 29, true},
    {"BUTTON72", "未送信メール", 14, 372, 384, 126, 29, true},
    {"BUTTON12", "ごみ箱へ移動", 14, 504, 384, 132, 29, true},
    {"BUTTON49", "特定差出人アドレス帳に登録", 12, 726, 384, 54, 29, false},
    {"BUTTON34", "転送(返信)拒否アドレス帳に登録", 12, 786, 384, 66, 29, false},
    {"BUTTON24", "メールソフトから開く", 12, 858, 384, 84, 29, false},
    {"BUTTON25", "メールソフトから開く", 12, 552, 672, 90, 29, false},
    {"BUTTON32", "差出人に返信", 14, 660, 672, 42, 29, false},
    // Moves into the folders, run from the main lists' popup menus only.
    {"BUTTON62", "受・JOB", 14, 0, 0, 0, 0, false},
    {"BUTTON63", "送・JOB", 14, 0, 0, 0, 0, false},
    {"BUTTON64", "受・PRI", 14, 0, 0, 0, 0, false},
    {"BUTTON65", "送・PRI", 14, 0, 0, 0, 0, false},
    {"BUTTON66", "受・HOB", 14, 0, 0, 0, 0, false},
    {"BUTTON67", "送・HOB", 14, 0, 0, 0, 0, false},
    {"BUTTON68", "受・ANO", 14, 0, 0, 0, 0, false},
    {"BUTTON69", "送・ANO", 14, 0, 0, 0, 0, false},
};

struct MenuSpec {
    const char* menu;     // UTF-8 caption of the menu; empty: an item on the bar itself
    const char* name;
    const char* caption;  // "-" is a separator
    const char* event;    // empty: "<NAME>_ON"
};

constexpr MenuSpec kMenu[] = {
    {"ファイル", "HIRAKU", "開く", ""},
    {"ファイル", "HOZON", "名前を付けて保存", ""},
    {"ファイル", "WIN_OPEN", "メールソフトから開く", ""},
    {"ファイル", "SEP1", "-", ""},
    {"ファイル", "D_SAIKOUTIKU", "データベースの再構築", ""},
    {"ファイル", "SEP2", "-", ""},
    {"ファイル", "serv", "☆☆☆ メールサーバからメールを削除しない ☆☆☆", "SERV_ON"},
    {"ファイル", "SEP3", "-", ""},
    {"ファイル", "SINAI", "ごみ箱へ移動確認ダイアログを表示しない", ""},
    {"ファイル", "SEP4", "-", ""},
    {"ファイル", "KARA", "終了時にごみ箱を空にする", ""},
    {"ファイル", "SEP5", "-", ""},
    {"ファイル", "SOUND", "新着メール受信時にサウンドを鳴らす", ""},
    {"ファイル", "SEP6", "-", ""},
    {"ファイル", "SYUURYOU", "終　了", ""},
    {"フォルダ", "JOB_F", "ＪＯＢフォルダ", ""},
    {"フォルダ", "PRIVATE_F", "PRIVATEフォルダ", ""},
    {"フォルダ", "HOBBY_F", "HOBBYフォルダ", ""},
    {"フォルダ", "ANOTHER_F", "その他フォルダ", ""},
    {"フォルダ", "GOMINAKO", "ごみ箱", ""},
    {"", "KANKYOYU", "アカウント情報", ""},
    {"", "ADDRESS", "アドレス帳", ""},
    {"", "KYOHI_ADDRESS", "転送(返信)拒否アドレス帳", ""},
    {"", "YUUSENHENSINKYOHI", "優先的返信拒否アドレス帳", ""},
    {"", "TOKUTEI_SASI", "特定差出人アドレス帳", ""},
    {"", "TALVENORSETTEI", "タルベノール設定", ""},
};

void add_list(Form& f, const char* name, int x, int y, int width, int height, bool visible, bool sorted) {
    auto& list = f.add(name, ControlKind::ListBox);
    list.x = x;
    list.y = y;
    list.width = width;
    list.height = height;
    list.visible = visible;
    list.sorted = sorted;
    list.font = platform::gothic(14);
    list.visible_rows = height / 18;
}

void define(Form& f) {
    f.left = 0;
    f.top = 0;
    f.width = 1016;     // client area of a 1024 x 768 window
    f.height = 714;
    f.frame_width = 8;
    f.frame_height = 54;  // title bar, menu bar and borders
    f.caption = "タルベノールメーラー Ver.1.00"_sj;
    f.minimize_box = true;
    for (const auto& b : kButtons) {
        auto& button = f.add(b.name, ControlKind::Button);
        button.caption = sj(b.caption);
        button.font = platform::gothic(b.points);
        button.x = b.x;
        button.y = b.y;
        button.width = b.width;
        button.height = b.height;
        button.visible = b.visible;
    }
    add_list(f, "LIST3", 12, 114, 996, 258, true, false);
    add_list(f, "LIST1", 12, 444, 996, 216, true, false);
    for (const char* hidden : {"LIST2", "LIST5", "LIST24", "LIST33", "LIST34"}) add_list(f, hidden, 0, 0, 0, 0, false, true);
    for (const char* unsorted : {"LIST19", "LIST21", "LIST32"}) add_list(f, unsorted, 0, 0, 0, 0, false, false);
    for (const char* timer : {"TIMER1", "TIMER3"}) {
        auto& t = f.add(timer, ControlKind::Timer);
        t.interval = 93;
        t.visible = false;
    }
    for (const auto& m : kMenu) {
        auto& item = f.add(m.name, ControlKind::MenuItem);
        item.menu = sj(m.menu);
        item.caption = sj(m.caption);
        item.event_name = m.event;
    }
}

}  // namespace

void define_main_form() { platform::forms().define("MAINFORM", define); }

}  // namespace tv::shell
