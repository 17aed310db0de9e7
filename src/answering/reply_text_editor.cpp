#include "answering/reply_text_editor.h"

#include "answering/reply_text_files.h"
#include "answering/settings_parts.h"
#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"

namespace tv::answering {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr const char* kForm = "FORM13";

pf::Form& editor() { return pf::form(kForm); }
pf::Control& control(const char* name) { return editor().control(name); }

struct ButtonSpec {
    const char* name;
    const char* caption;
    int x, width;
};
constexpr ButtonSpec kButtons[] = {
    {"BUTTON41", "戻　る", 18, 162},
    {"BUTTON44", "新規作成", 240, 162},
    {"BUTTON42", "登　録", 450, 180},
    {"BUTTON43", "削　除", 672, 174},
};

struct Framed {
    int x1, y1, x2, y2;  // the frame
    int x, y;            // the text
    double points;
    const char* text;
};
constexpr Framed kFramed[] = {
    {18, 5, 198, 31, 45, 10, 18, "返信用本文作成"},
    {18, 36, 146, 57, 34, 39, 16, "ファイル選択"},
    {18, 61, 146, 82, 41, 64, 16, "ファイル名"},
    {18, 114, 844, 140, 372, 120, 16, "返 信 用 本 文"},
};

void define(pf::Form& f) {
    f.set_outer_size(869, 616, 6, 28);
    f.left = 94;
    f.top = 62;
    f.caption = "返信用本文作成"_sj;
    f.topmost = true;
    f.minimize_box = false;
    f.close_box_enabled = false;
    pf::Control& combo = f.add("COMBO2", pf::ControlKind::ComboBox, 150, 36, 696, 22);  // its list drops 186
    combo.read_only = true;
    combo.font = pf::gothic(14);
    f.add("EDIT19", pf::ControlKind::Edit, 150, 60, 696, 24).font = pf::gothic(14);
    pf::Control& text = f.add("EDIT20", pf::ControlKind::Edit, 18, 144, 828, 354);
    text.multiline = true;
    text.word_wrap = true;
    text.scroll_bars = pf::ScrollBars::Vertical;
    text.font = pf::gothic(18);
    f.add("LIST18", pf::ControlKind::ListBox, 294, 294, 276, 76).visible = false;
    for (const auto& b : kButtons) {
        pf::Control& c = f.add(b.name, pf::ControlKind::Button, b.x, 516, b.width, 60);
        c.caption = sj(b.caption);
        c.font = pf::mincho(20);
    }
}

const std::string& set_again() {
    return "返信用本文が変更されましたので、再度「タルベノール設定」で、返信用本文を設定し直して下さい。  "_sj;
}

// Reads a listed item into the text box; false when it names no file. A file that cannot be read
// is told and leaves the box as it was.
bool read_into_box(const std::string& item) {
    try {
        auto text = read_reply_text(item);
        if (!text) return false;
        control("EDIT20").set_text(*text);
        return true;
    } catch (const RuntimeError&) {
        tell_file_error(kForm);
        return false;
    }
}

// Lists the folder and shows its first file; false when it holds none.
bool show_first_text() {
    pf::Control& combo = control("COMBO2");
    combo.set_items(list_reply_texts());
    if (combo.count() == 0) return false;
    combo.select(0);
    combo.set_text(combo.item(0));
    control("EDIT19").set_text(reply_text_item_name(combo.item(0)));
    read_into_box(combo.item(0));
    return true;
}

// Empties the boxes and lists the folder again, showing its first file.
bool refill() {
    control("LIST18").clear();
    pf::Control& combo = control("COMBO2");
    combo.clear();
    combo.set_text("");
    control("EDIT19").set_text("");
    control("EDIT20").set_text("");
    return show_first_text();
}

// The lines of the text: split at every line break, the first line trimmed.
std::vector<std::string> split_text(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    lines.front() = trim(lines.front());
    return lines;
}

bool has_extension(const std::string& name) {
    return name.find(".txt") != std::string::npos || name.find(".TXT") != std::string::npos;
}

void save() {
    Globals& g = globals();
    control("LIST18").clear();
    if (trim(control("EDIT19").text).empty()) return pf::inform(kForm, "CAN NOT RECORD", "ファイル名が設定されていません。    "_sj);
    if (!pf::confirm(kForm, "登録"_sj,
                     "現在表示されている返信用本文をファイルに登録します。    "_sj + "\r\n\r\n" + "よろしいですか？      "_sj)) {
        return;
    }
    g.REPLY_TEXT_SAVING = 1;
    pf::pause(20);
    EDIT20_CHANGE();
    pf::pause(20);
    g.REPLY_TEXT_SAVING = 0;
    std::vector<std::string> lines;
    for (const auto& item : control("LIST18").items()) lines.push_back(trim(item));
    std::string name = trim(control("EDIT19").text);
    if (has_extension(name)) return pf::inform(kForm, "BAD FAILE NAME", "拡張子は入力しないで下さい。  "_sj);
    try {
        write_reply_text(reply_text_file_name(name), lines);
    } catch (const RuntimeError&) {
        return tell_file_error(kForm);
    }
    if (!refill()) return;
    pf::inform(kForm, "登録"_sj, "登録しました。    "_sj + "\r\n\r\n" + set_again());
}

}  // namespace

void define_reply_text_editor() { pf::forms().define(kForm, define); }

void FORM13_START() {
    if (!pf::forms().is_loaded(kForm)) return;
    pf::Form& f = editor();
    f.background = pf::kFace;
    f.clear_drawing();
    f.show();
    control("LIST18").clear();
    for (const auto& t : kFramed) {
        pf::sunken_frame(f, t.x1, t.y1, t.x2, t.y2);
        f.font = pf::mincho(t.points);
        pf::engraved_text(f, t.x, t.y, sj(t.text));
    }
    f.font = pf::mincho(14);
    pf::engraved_text(f, 21, 87, "( 上記のファイル名を変更して登録可能。但し、拡張子は入力しないで下さい )"_sj);
    show_first_text();
}

// Only the back button leaves the editor.
void FORM13_QUERYCLOSE() {
    if (pf::input::close_mode() == pf::input::CloseMode::User) pf::input::refuse_close();
}

void COMBO2_CHANGE() {
    if (!pf::forms().is_loaded(kForm)) return;
    control("LIST18").clear();
    control("EDIT19").set_text("");
    control("EDIT20").set_text("");
    pf::Control& combo = control("COMBO2");
    if (combo.selected() < 0) return;
    std::string item = combo.item(combo.selected());
    if (read_into_box(item)) control("EDIT19").set_text(reply_text_item_name(item));
}

void EDIT20_CHANGE() {
    if (!pf::forms().is_loaded(kForm)) return;
    pf::Control& lines = control("LIST18");
    lines.set_items(split_text(trim(control("EDIT20").text)));
    if (globals().REPLY_TEXT_SAVING != 1) control("EDIT19").set_text(trim(reply_text_full_width(lines.item(0))));
}

void EDIT19_SETFOCUS() {
    if (pf::forms().is_loaded(kForm)) editor().set_input_method(pf::InputMethod::Hiragana);
}

void EDIT20_SETFOCUS() { EDIT19_SETFOCUS(); }

void BUTTON44_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    control("EDIT19").set_text("");
    control("EDIT20").set_text("");
    pf::Control& combo = control("COMBO2");
    combo.select(-1);
    combo.set_text("");
}

void BUTTON42_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    // The save runs as one step: the editor takes no input until it is done.
    editor().set_enabled(false);
    save();
    if (pf::forms().is_loaded(kForm)) editor().set_enabled(true);
}

void BUTTON43_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    pf::Control& combo = control("COMBO2");
    if (combo.selected() < 0) return pf::inform(kForm, "削除"_sj, "削除する返信用本文を選択して下さい。    "_sj);
    if (!pf::confirm(kForm, "削除"_sj,
                     "現在表示されている返信用本文のファイルを削除します。    "_sj + "\r\n\r\n" + "よろしいですか？      "_sj)) {
        return;
    }
    std::string path = reply_text_path(combo.item(combo.selected()));
    try {
        if (files::file_exists(path)) files::remove_file(path);
    } catch (const RuntimeError&) {
        return tell_file_error(kForm);
    }
    if (!refill()) return;
    pf::inform(kForm, "削除"_sj, "削除されました。    "_sj + "\r\n\r\n" + set_again());
}

void BUTTON41_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    if (pf::message_box(kForm, "戻る"_sj, "メイン画面に戻ります。    "_sj, pf::MsgButtons::OkCancel,
                        pf::MsgIcon::Information) != pf::MsgAnswer::Ok) {
        return;
    }
    for (const char* form : {kForm, "FORM11"}) {
        if (pf::forms().is_loaded(form)) pf::forms().unload(form);
    }
    pf::Form& main = pf::form("MAINFORM");
    main.set_enabled(true);
    main.show();
}

}  // namespace tv::answering
