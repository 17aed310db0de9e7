#include "answering/settings_parts.h"

#include "common/answering_files.h"
#include "common/answering_settings.h"
#include "common/atomic_file.h"
#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/registry_value.h"

namespace tv::answering {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr const char* kForm = "FORM11";
constexpr const char* kLastAttachmentFolder = "SYSTEM_F\\BASYO_TUI";
constexpr std::size_t kSpamWordBytes = 64;

pf::Form& window() { return pf::form(kForm); }
pf::Control& control(const char* name) { return window().control(name); }

struct Switch {
    int Globals::*clicks;
    std::string Globals::*stopped;
    int top;  // of the hit area and the picture
    const char* stopped_line;
    const char* running_line;
    const char* help_line;
};

const Switch kSwitches[] = {
    {&Globals::FORWARD_SWITCH_CLICKS, &Globals::FORWARD_STOPPED, 615, "メールの自動「転送」を実行する(現在停止中)",
     "メールの自動「転送」を停止する(現在転送可能)",
     "( 「メール転送先アドレス」で設定したアドレスに、受信したメールを自動的に「転送」します )"},
    {&Globals::REPLY_SWITCH_CLICKS, &Globals::REPLY_STOPPED, 665, "メールの自動「返信」を実行する(現在停止中)",
     "メールの自動「返信」を停止する(現在返信可能)",
     "( 受信したメールの差出人に、設定した返信用本文を自動的に「返信」します )"},
};

void drawn_text(pf::Form& f, int x, int y, const std::string& text, pf::Rgb colour) {
    f.draw_text(x + 1, y + 1, text, pf::kWhite);
    f.draw_text(x, y, text, colour);
}

void draw_switch(const Switch& s, bool stopped) {
    pf::Form& f = window();
    if (stopped) {
        f.draw_picture(50, s.top, 45, 45, kPlayPicture);
    } else {
        f.draw_picture(51, s.top + 1, 45, 45, kPausePicture);
    }
    f.font = pf::mincho(20);
    drawn_text(f, 120, s.top + 12, sj(stopped ? s.stopped_line : s.running_line), stopped ? pf::Rgb{0, 0, 0} : pf::kGrey);
}

void draw_help_line(const Switch& s) {
    pf::Form& f = window();
    f.font = pf::mincho(14);
    drawn_text(f, 120, s.top + 38, sj(s.help_line), pf::kGrey);
}

std::string start_folder() {
    std::string start = trim(pf::desktop_folder_text());
    if (auto lines = files::read_lines(kLastAttachmentFolder); lines && !lines->empty() && !is_blank(lines->back())) {
        start = lines->back();
    }
    return start;
}

void tell_bad_file() { pf::inform(kForm, "BAD FILE ! ", "このファイルは設定できません。     "_sj); }

}  // namespace

void tell_file_error(const char* owner) {
    pf::inform(owner, "FILE ERROR !", "ファイルを処理できませんでした。   "_sj);
}

void fill_spam_words() {
    pf::Control& list = control("LIST17");
    for (auto& word : read_spam_words_for_window()) list.add_item(std::move(word));
}

void list_reply_attachments() { control("LIST20").set_items(files::list_folder_files(kReplyAttachmentFolder)); }

void draw_switches() {
    const Globals& g = globals();
    for (const auto& s : kSwitches) {
        draw_switch(s, numeric_value(g.*s.stopped) == 1);
        draw_help_line(s);
    }
}

void BUTTON38_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    pf::Control& list = control("LIST17");
    int n = list.count();
    window().set_input_method(pf::InputMethod::Hiragana);
    std::string word = pf::input_box(
        {kForm, "ｓｐａｍ特定文字追加"_sj, "ｓｐａｍを特定する文字を入力して下さい。     "_sj, "", kSpamWordBytes});
    std::string trimmed = trim(word);
    if (trimmed != "\x1b" && !trimmed.empty()) {
        list.add_item(word);
        list.set_top_index(n);
    }
    window().set_input_method(pf::InputMethod::Off);
}

void BUTTON39_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    pf::Control& list = control("LIST17");
    int n = list.count();
    if (n == 0) return pf::beep();
    if (list.selected() < 0) return pf::inform(kForm, "spam特定文字削除"_sj, "削除する特定文字を選択して下さい。    "_sj);
    list.remove_item(list.selected());
    list.select(-1);
    if (list.count() > 0) list.set_top_index(n - 2);
}

void FORM11_CLICK() {
    if (!pf::forms().is_loaded(kForm)) return;
    for (const char* name : {"LIST17", "LIST20"}) control(name).select(-1);
}

void FORM11_MOUSEDOWN() {
    if (!pf::forms().is_loaded(kForm)) return;
    Globals& g = globals();
    pf::Form& f = window();
    f.font = pf::mincho(20);
    const auto& at = pf::input::last_mouse_down();
    for (const auto& s : kSwitches) {
        if (at.x < 50 || at.x > 95 || at.y < s.top || at.y > s.top + 45) continue;
        int clicks = ++(g.*s.clicks);
        int erase_top = s.top == 615 ? 610 : 670;
        f.draw_filled_box(110, erase_top, 610, erase_top + 50, pf::kFace, pf::kFace);
        bool stopped = clicks % 2 == 0;
        (g.*s.stopped).assign(1, stopped ? '1' : '0');
        draw_switch(s, stopped);
    }
    for (const auto& s : kSwitches) draw_help_line(s);
}

void BUTTON45_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    try {
        pf::FileDialogRequest request{kForm, "追加"_sj, start_folder(), {{"すべてのファイル(*.*)"_sj, "*.*"}}};
        pf::DialogAnswer answer = pf::open_file_dialog(request);
        if (answer.outcome == pf::DialogAnswer::Outcome::NotCp932) return tell_bad_file();
        if (!answer.chosen() || !pf::forms().is_loaded(kForm)) return;
        window().set_pointer(pf::MousePointer::Hourglass);
        std::string path = trim(answer.path);
        auto [folder, name] = files::split_folder_name(path);
        files::write_line(kLastAttachmentFolder, trim(folder) + "/");
        if (files::file_exists(path)) files::copy_file(path, files::join(kReplyAttachmentFolder, name));
        list_reply_attachments();
        window().set_pointer(pf::MousePointer::Arrow);
    } catch (const RuntimeError&) {
        window().set_pointer(pf::MousePointer::Arrow);
        tell_bad_file();
    }
}

void BUTTON46_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    pf::Control& list = control("LIST20");
    if (list.selected() < 0) return pf::inform(kForm, "削除"_sj, "削除する返信用添付ファイルを選択して下さい。    "_sj);
    std::string name = list.item(list.selected());
    std::string question = name + "\r\n\r\n" + "上記の返信用添付ファイルを削除します。    "_sj + "\r\n\r\n" + "よろしいですか？     "_sj;
    if (!pf::confirm(kForm, "削除"_sj, question)) return;
    window().set_pointer(pf::MousePointer::Hourglass);
    try {
        std::string path = files::join(kReplyAttachmentFolder, name);
        if (files::file_exists(path)) files::remove_file(path);
    } catch (const RuntimeError&) {
        tell_file_error(kForm);
    }
    pf::pause(20);
    window().set_pointer(pf::MousePointer::Arrow);
    list_reply_attachments();
}

}  // namespace tv::answering
