#include "transfer/account_window.h"

#include <array>

#include "common/account_file.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/enter_key.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"

namespace tv::transfer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr pf::Rgb kNavy{0, 0, 128};

// The boxes in the order of the account file's lines.
constexpr std::array<const char*, 10> kBoxes{"EDIT1", "EDIT2", "EDIT3", "EDIT4", "EDIT5",
                                             "EDIT6", "EDIT28", "EDIT29", "EDIT30", "EDIT31"};

struct EnterStep {
    const char* box;
    const char* next;
    bool lower;  // Enter turns ASCII letters to lower case (never the name, user ID or password)
    bool ime_off;
};
constexpr EnterStep kEnterChain[] = {
    {"EDIT1", "EDIT2", true, true},   {"EDIT2", "EDIT3", false, true}, {"EDIT3", "EDIT4", true, true},
    {"EDIT4", "EDIT5", true, true},   {"EDIT5", "EDIT6", false, true}, {"EDIT6", "EDIT28", false, true},
    {"EDIT28", "EDIT29", true, false}, {"EDIT29", "EDIT31", true, false}, {"EDIT31", "EDIT1", true, false},
};

struct RadioSpec {
    const char* name;
    const char* caption;
    int left, width;
    const char* seconds;
};
constexpr RadioSpec kRadios[] = {
    {"RADIO12", " １分", 66, 72, "60"},  {"RADIO13", " ２分", 168, 66, "120"}, {"RADIO14", " ３分", 264, 66, "180"},
    {"RADIO15", " ４分", 360, 66, "240"}, {"RADIO16", " ５分", 456, 66, "300"},
};

struct LabelSpec {
    const char* text;
    int x, y;
    double points;
    bool navy;
};
constexpr LabelSpec kLabels[] = {
    {"* 下記の各種アカウント情報を入力して下さい。", 20, 8, 16, false},
    {"SMTPサーバー名(送信メールサーバー) ：", 20, 40, 16, false},
    {"                         送信者名　：", 20, 70, 16, false},
    {"                   メールアドレス　：", 20, 100, 16, false},
    {"POP3サーバー名(受信メールサーバー) ：", 20, 130, 16, false},
    {"                     ユーザーＩＤ　：", 20, 160, 16, false},
    {"                       パスワード　：", 20, 190, 16, false},
    {"サーバーのポート番号", 20, 220, 16, false},
    {"                  送信メール(SMTP) ：", 20, 250, 16, false},
    {"                  受信メール(POP3) ：", 20, 280, 16, false},
    {"( 通常は 25 )", 440, 250, 16, false},
    {"( 通常は 110 )", 440, 280, 16, false},
    {"サーバーのタイムアウト", 20, 310, 16, false},
    {"(秒)", 683, 334, 16, false},
    {"ローカルホスト名", 20, 370, 16, false},
    {"                  ローカルホスト名 ：", 20, 400, 16, false},
    {"(任意)", 528, 400, 16, false},
    {"* 注意：「 Outbound Port25 Blocking ｣というしくみを採用しているプロバ", 25, 434, 12, true},
    {"         イダでは、ご利用中のプロバイダの送信メールサーバー以外からは", 25, 448, 12, true},
    {"         メール送信ができないようになっています。そのようなプロバイダ", 25, 462, 12, true},
    {"         をご利用の場合、「送信メール(SMTP)」の「サーバーのポート番号」", 25, 476, 12, true},
    {"         を「25」から、「587」に変更してご使用下さい。", 25, 490, 12, true},
};

using pf::mincho;

void define(pf::Form& f) {
    f.width = 752;
    f.height = 547;
    f.left = 143;
    f.top = 53;
    f.topmost = true;
    f.minimize_box = false;
    f.caption = "アカウント情報"_sj;
    auto box = [&](const char* name, int x, int y, int w) {
        auto& c = f.add(name, pf::ControlKind::Edit);
        c.x = x;
        c.y = y;
        c.width = w;
        c.height = 24;
        c.multiline = true;
        c.font = mincho(16);
        return &c;
    };
    int tops[] = {36, 66, 96, 126, 156, 186};
    for (int i = 0; i < 6; ++i) box(kBoxes[i], 324, tops[i], 402);
    box("EDIT28", 324, 246, 102);
    box("EDIT29", 324, 276, 102);
    for (const auto& r : kRadios) {
        auto& radio = f.add(r.name, pf::ControlKind::Radio);
        radio.caption = sj(r.caption);
        radio.x = r.left;
        radio.y = 336;
        radio.width = r.width;
        radio.height = 18;
        radio.font = mincho(14);
    }
    auto* timeout = box("EDIT30", 618, 330, 60);
    timeout->multiline = false;
    timeout->read_only = true;
    timeout->enabled = false;
    box("EDIT31", 324, 396, 198);
    for (auto [name, caption, x] : {std::tuple{"BUTTON5", "キャンセル", 480}, std::tuple{"BUTTON6", "Ｏ Ｋ", 606}}) {
        auto& b = f.add(name, pf::ControlKind::Button);
        b.caption = sj(caption);
        b.x = x;
        b.y = 456;
        b.width = 114;
        b.height = 42;
        b.font = mincho(18);
    }
}

void KIOKU() {
    pf::Form& f = pf::form("FORM4");
    std::array<std::string, 10> values;
    for (std::size_t i = 0; i < kBoxes.size(); ++i) values[i] = trim(f.control(kBoxes[i]).text);
    write_account_file(values);
}

// Enter in a box: the line break goes, the text is trimmed (and lower-cased where that is safe),
// and the focus moves to the next box.
void enter_in_box(const EnterStep& step) {
    if (!pf::forms().is_loaded("FORM4")) return;
    if (!pf::take_enter(pf::form("FORM4").control(step.box), step.lower)) return;
    pf::input::focus(pf::form("FORM4").control(step.next));
}

// The main window comes back whenever the account window goes.
void restore_main_window() {
    pf::Form& main = pf::form("MAINFORM");
    main.enabled = true;
    main.show();
    main.changed();
}

}  // namespace

void KANKYOYU_ON() {
    pf::forms().take_child_slot("FORM4");
    pf::forms().load("FORM4");
    pf::Form& main = pf::form("MAINFORM");
    main.enabled = false;
    main.changed();
}

void FORM4_START() {
    if (!pf::forms().is_loaded("FORM4")) return;
    pf::Form& f = pf::form("FORM4");
    f.background = pf::kFace;
    f.clear_drawing();
    for (const auto& label : kLabels) {
        f.font = mincho(label.points);
        f.draw_text(label.x + 1, label.y + 1, sj(label.text), pf::kWhite);
        f.draw_text(label.x, label.y, sj(label.text), label.navy ? kNavy : pf::kGrey);
    }
    f.font = mincho(16);
    for (auto [x1, y, x2] : {std::tuple{195, 228, 724}, std::tuple{210, 318, 724}, std::tuple{165, 378, 724}}) {
        f.draw_line(x1, y, x2, y, pf::kGrey);
        f.draw_line(x1 + 1, y + 1, x2 + 1, y + 1, pf::kWhite);
    }
    AccountData account = read_account_file();
    const auto& v = account.values;
    auto set = [&](const char* name, const std::string& text) {
        pf::Control& c = f.control(name);
        c.text = text;
        c.changed();
    };
    for (int i = 0; i < 6; ++i) set(kBoxes[i], v[i]);
    set("EDIT28", is_blank(v[6]) ? "25" : v[6]);
    set("EDIT29", is_blank(v[7]) ? "110" : v[7]);
    set("EDIT30", is_blank(v[8]) ? "180" : v[8]);
    long long seconds = is_blank(v[8]) ? 180 : numeric_value(v[8]);
    for (const auto& r : kRadios) {
        pf::Control& radio = f.control(r.name);
        radio.checked = seconds == numeric_value(r.seconds);
        radio.changed();
    }
    set("EDIT31", is_blank(v[9]) ? "TALVENOR MAILER" : v[9]);
    f.show();
    f.changed();
}

void BUTTON5_ON() {
    pf::forms().unload("FORM4");
    restore_main_window();
}

void BUTTON6_ON() {
    KIOKU();
    BUTTON5_ON();
}

void FORM4_QUERYCLOSE() { restore_main_window(); }

void define_account_window() { pf::forms().define("FORM4", define); }

std::vector<pf::NamedHandler> account_box_handlers() {
    std::vector<pf::NamedHandler> table;
    for (const auto& r : kRadios) {
        std::string seconds = r.seconds;
        std::string name = r.name;
        table.push_back({name + "_ON", [seconds, name] {
                             pf::Form& f = pf::form("FORM4");
                             if (!f.control(name).checked) return;
                             f.control("EDIT30").text = seconds;
                             f.control("EDIT30").changed();
                         }});
    }
    for (const auto& step : kEnterChain) {
        table.push_back({std::string(step.box) + "_CHANGE", [&step] { enter_in_box(step); }});
        if (step.ime_off) {
            table.push_back({std::string(step.box) + "_SETFOCUS",
                             [] { pf::form("FORM4").set_input_method(pf::InputMethod::Off); }});
        }
    }
    table.push_back({"EDIT31_SETFOCUS", [] { pf::form("FORM4").set_input_method(pf::InputMethod::Hiragana); }});
    return table;
}

}  // namespace tv::transfer
