#include "compose/compose_window.h"

#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "compose/body_lines.h"
#include "compose/messages.h"
#include "compose/unsent_mail.h"
#include "platform/drawing_styles.h"
#include "platform/enter_key.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/timers.h"
#include "store/receive_list.h"
#include "transfer/component_check.h"
#include "transfer/handover_files.h"
#include "transfer/send.h"
#include "transfer/unsent_store.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr std::size_t kEditLimit = 32767;

struct ButtonSpec {
    const char* name;
    const char* caption;  // UTF-8 source text
    double points;
    int x, y, width, height;
};

constexpr ButtonSpec kButtons[] = {
    {"BUTTON26", "宛　先", 16, 18, 12, 108, 27},
    {"BUTTON33", "添付ファイル", 14, 18, 42, 108, 27},
    {"BUTTON29", "キャンセル", 12, 684, 42, 72, 27},
    {"BUTTON27", "送　信", 20, 768, 12, 156, 54},
    {"BUTTON79", "未送信メールとして保存", 12, 768, 72, 156, 27},
};

enum class EditLook { OneLineScrolling, ReadOnlyLine, Body };

struct EditSpec {
    const char* name;
    EditLook look;
    double points;
    int x, y, width, height;
};

constexpr EditSpec kEdits[] = {
    {"EDIT12", EditLook::OneLineScrolling, 18, 132, 12, 624, 28},
    {"EDIT13", EditLook::ReadOnlyLine, 16, 132, 42, 546, 28},
    {"EDIT14", EditLook::OneLineScrolling, 18, 132, 72, 624, 28},
    {"EDIT11", EditLook::Body, 18, 18, 108, 906, 540},
};

// Set at each load: the window was opened on a stored unsent mail.
bool g_edits_unsent = false;

bool is_open() { return pf::forms().is_loaded("FORM9"); }
pf::Form& compose_form() { return pf::form("FORM9"); }
pf::Control& control(const char* name) { return compose_form().control(name); }

void define(pf::Form& f) {
    f.left = 249;
    f.top = 66;
    f.width = 944;
    f.height = 692;
    f.minimize_box = true;
    f.maximize_box = false;
    f.sizable = false;
    f.background = pf::kFace;
    for (const auto& spec : kButtons) {
        auto& b = f.add(spec.name, pf::ControlKind::Button, spec.x, spec.y, spec.width, spec.height);
        b.caption = sj(spec.caption);
        b.font = pf::mincho(spec.points);
    }
    for (const auto& spec : kEdits) {
        auto& e = f.add(spec.name, pf::ControlKind::Edit, spec.x, spec.y, spec.width, spec.height);
        e.font = pf::gothic(spec.points);
        e.max_length = kEditLimit;
        e.multiline = spec.look != EditLook::ReadOnlyLine;
        e.read_only = spec.look == EditLook::ReadOnlyLine;
        e.word_wrap = spec.look == EditLook::Body;
        e.scroll_bars = spec.look == EditLook::Body ? pf::ScrollBars::Vertical : pf::ScrollBars::None;
    }
    for (const char* name : {"LIST12", "LIST14"}) f.add(name, pf::ControlKind::ListBox).visible = false;
    auto& timer = f.add("TIMER2", pf::ControlKind::Timer);
    timer.interval = 1;
}

// The label of the subject box: a framed panel and a text with a light shadow.
void draw_subject_label(pf::Form& f) {
    constexpr pf::Rgb kPanelEdge{0, 0, 128};
    constexpr pf::Rgb kShadow{192, 192, 192};
    f.draw_box(19, 73, 125, 98, kPanelEdge);
    f.draw_line(125, 73, 125, 98, pf::kWhite);
    f.draw_line(19, 98, 125, 98, pf::kWhite);
    f.font = pf::mincho(18);
    f.draw_text(46, 78, "件  名"_sj, kShadow);
    f.draw_text(45, 77, "件  名"_sj, pf::Rgb{0, 0, 0});
}

// The stored unsent mail named by UNSENT_FILE_NAME, into the boxes and the attachment list.
void load_unsent_mail() {
    const std::string& name = globals().UNSENT_FILE_NAME;
    if (!files::file_exists(files::join(transfer::kUnsentFolder, trim(name)))) return;
    UnsentMail mail = read_unsent_file(name);
    pf::Control& attachments = control("LIST12");
    for (const auto& path : mail.attachments) attachments.add_item(path);
    control("EDIT12").set_text(mail.recipient);
    control("EDIT14").set_text(mail.subject);
    control("EDIT13").set_text("");
    std::string body;
    for (std::size_t i = 0; i < mail.body.size(); ++i) body += (i ? "\r\n" : "") + mail.body[i];
    control("EDIT11").set_text(body);
    pf::pause(20);
    EDIT11_CHANGE();
    pf::pause(20);
}

// Enter in a one-line box: the line break goes and the focus moves on.
void enter_moves_on(const char* box_name, const char* next) {
    if (pf::take_enter(control(box_name))) compose_form().set_focus(next);
}

void set_timer(bool running) {
    pf::Control& timer = control("TIMER2");
    if (running) {
        pf::start_timer(timer);
    } else {
        pf::stop_timer(timer);
    }
}

void show_window(const char* name) {
    pf::Form& f = pf::form(name);
    f.show();
    f.set_enabled(true);
    f.bring_to_front();
}

}  // namespace

void define_compose_window() { pf::forms().define("FORM9", define); }

bool edits_unsent_mail() { return g_edits_unsent; }

void BUTTON1_ON() {
    // Only one mail is composed at a time; the open compose window is not brought forward.
    if (compose_window_busy("MAINFORM")) return;
    transfer::BASP_CHECK();
    pf::forms().load("FORM9");
    compose_form().show();
    pf::Form& main = pf::form("MAINFORM");
    main.set_topmost(false);
    main.set_window_state(pf::WindowState::Minimized);
}

void FORM9_START() {
    if (!is_open()) return;
    Globals& g = globals();
    g.COMPOSING = 1;
    g_edits_unsent = g.UNSENT_MODE > 0;
    pf::Form& f = compose_form();
    f.background = pf::kFace;
    f.clear_drawing();
    f.caption = (g.UNSENT_MODE > 0 ? "未送信メール_"_sj : "メールの作成_"_sj) + program_caption();
    f.changed();
    store::receive_list().select(-1);
    pf::form("MAINFORM").control("LIST1").select(-1);
    pf::pause(20);
    set_timer(true);
    if (g.UNSENT_MODE > 0) {
        control("EDIT12").enabled = false;
        control("EDIT12").changed();
        control("BUTTON79").enabled = false;
        control("BUTTON79").changed();
    }
    control("LIST12").clear();
    control("LIST14").clear();
    draw_subject_label(f);
    if (g.UNSENT_MODE > 0) load_unsent_mail();
}

ComposeReturn compose_return(int unsent_mode, int from_trash, int from_folder, bool main_visible) {
    if (unsent_mode > 0) return ComposeReturn::UnsentList;
    if (from_trash == 0 && from_folder == 0) return ComposeReturn::MainWindow;
    if (main_visible) return ComposeReturn::MainClosingOthers;
    return from_trash > 0 ? ComposeReturn::Trash : ComposeReturn::Folder;
}

void set_handovers_idle_or_tell(const std::string& owner) {
    try {
        transfer::set_handovers_idle();
    } catch (const RuntimeError&) {
        // Nothing of a mail is lost: the next reply or pick writes the files afresh.
        files::close_all_files();
        report_file_error(owner, "ファイルに書き込めませんでした。   "_sj,
                          std::string(transfer::kRecipientHandover) + ", " + transfer::kReplyDraft);
    }
}

void close_trash_and_folder_windows() {
    Globals& g = globals();
    for (auto [window, open] : {std::pair{"FORM8", &Globals::TRASH_WINDOW_OPEN}, std::pair{"FORM16", &Globals::FOLDER_WINDOW_OPEN}}) {
        if (!pf::forms().is_loaded(window)) continue;
        pf::forms().unload(window);
        g.*open = 0;
    }
}

void FORM9_QUERYCLOSE() {
    if (!pf::confirm("FORM9", "作成中止"_sj, "メールの作成を中止します。　よろしいですか？    "_sj)) {
        pf::input::refuse_close();
        return;
    }
    Globals& g = globals();
    g.COMPOSING = 0;
    pf::Form& main = pf::form("MAINFORM");
    if (main.minimized) main.set_window_state(pf::WindowState::Normal);
    transfer::refresh_unsent_button();
    set_handovers_idle_or_tell("FORM9");
    control("LIST12").clear();
    set_timer(false);
    pf::forms().unload("FORM9");

    switch (compose_return(g.UNSENT_MODE, g.REPLY_FROM_TRASH, g.REPLY_FROM_FOLDER, main.visible)) {
        case ComposeReturn::UnsentList:
            // The main window stays disabled under the list until the list closes.
            main.show();
            if (!load_into_child_slot("FORM10", "MAINFORM")) {
                g.UNSENT_MODE = 0;
                main.set_enabled(true);
            }
            break;
        case ComposeReturn::MainWindow:
            main.show();
            main.set_enabled(true);
            break;
        case ComposeReturn::MainClosingOthers:
            main.set_enabled(true);
            pf::pause(20);
            close_trash_and_folder_windows();
            break;
        case ComposeReturn::Trash:
        case ComposeReturn::Folder: {
            const char* window = g.REPLY_FROM_TRASH > 0 ? "FORM8" : "FORM16";
            if (!pf::forms().is_loaded(window)) pf::forms().load(window);
            main.hide();
            show_window(window);
            break;
        }
    }
}

void FORM9_RESIZE() {}

// The focus events may arrive after the window went; they then have nothing to do.
void EDIT11_SETFOCUS() {
    if (is_open()) compose_form().set_input_method(pf::InputMethod::Hiragana);
}

void EDIT14_SETFOCUS() {
    if (is_open()) compose_form().set_input_method(pf::InputMethod::Hiragana);
}

void EDIT12_SETFOCUS() {
    if (!is_open()) return;
    compose_form().set_input_method(pf::InputMethod::Off);
    set_timer(false);
}

void EDIT12_KILLFOCUS() {
    if (!is_open()) return;
    compose_form().set_input_method(pf::InputMethod::Off);
    set_timer(true);
}

void EDIT13_SETFOCUS() {
    if (!is_open()) return;
    set_timer(false);
    compose_form().set_input_method(pf::InputMethod::Off);
}

void EDIT13_KILLFOCUS() {
    if (is_open()) set_timer(true);
}

void EDIT12_CHANGE() {
    if (is_open()) enter_moves_on("EDIT12", "EDIT14");
}

void EDIT14_CHANGE() {
    if (is_open()) enter_moves_on("EDIT14", "EDIT11");
}

void EDIT11_CHANGE() {
    if (!is_open()) return;
    control("LIST14").set_items(split_body(control("EDIT11").text));
}

}  // namespace tv::compose
