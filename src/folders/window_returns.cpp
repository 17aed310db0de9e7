#include "folders/window_returns.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "folders/mail_lists.h"
#include "folders/mail_moves.h"
#include "folders/window_lifecycle.h"
#include "folders/window_steps.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/progress_window.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

struct ReturnSpec {
    bool received;
    const char* title;       // UTF-8 source text, also the box's name in the question
    const char* first_line;
};

constexpr ReturnSpec kToReceiveBox{true, "受信ボックスに戻す", "選択したメールを受信ボックスに戻します。    "};
constexpr ReturnSpec kToSendBox{false, "送信ボックスに戻す", "選択したメールを送信ボックスに戻します。    "};

// How each window returns each kind of mail: the wait window, the change of windows before the
// files move, the saving of the window's received list, and the events run around the refill.
struct ReturnStyle {
    bool shrink_wait_window;   // the trash shows it smaller until its own size comes back
    bool main_hourglass_first;
    int pumps_after_drawing;
    int pumps_after_main_shown;  // -1: the main window stays hidden until the refill
    CacheSave save;
    bool pump_after_refill;
};

//                                       shrink  hourglass  drawn  main  save         after
constexpr ReturnStyle kTrashReceived{true, false, 0, -1, {1, false}, false};
constexpr ReturnStyle kTrashSent{true, true, 1, 1, {1, true}, true};
constexpr ReturnStyle kFolderReceived{false, true, 1, -1, {1, false}, false};
constexpr ReturnStyle kFolderSent{false, true, 1, 2, {0, true}, true};

const ReturnStyle& style_of(int folder_no, bool received) {
    if (folder_no == 0) return received ? kTrashReceived : kTrashSent;
    return received ? kFolderReceived : kFolderSent;
}

void pump(int times) {
    for (int i = 0; i < times; ++i) pf::EVENT_PUMP();
}

void show_wait_window(const ReturnStyle& style) {
    if (!pf::forms().is_loaded("FORM5")) pf::forms().load("FORM5");
    pf::EVENT_PUMP();
    pf::Form& wait = pf::form("FORM5");
    wait.background = pf::kFace;
    wait.clear_drawing();
    wait.set_window_state(pf::WindowState::Normal);
    if (style.shrink_wait_window) wait.set_size(475, 108);
    wait.show();
    wait.set_topmost(true);
    wait.font = pf::mincho(30, pf::SizeUnit::Pixels, true, true);
    pf::engraved_text(wait, 20, 15, program_caption(), 2);
    wait.changed();
    pump(style.pumps_after_drawing);
}

// The main window comes out while the window, hidden, still holds the mail.
void main_window_in_front(const std::string& window, int pumps_after_shown) {
    set_pointer("MAINFORM", pf::MousePointer::Hourglass);
    set_pointer(window, pf::MousePointer::Hourglass);
    pf::EVENT_PUMP();
    pf::form(window).hide();
    pf::EVENT_PUMP();
    pf::form("MAINFORM").show();
    pump(pumps_after_shown);
}

// The mail stayed where it was: the window comes back as it was before the question.
void call_off(const std::string& window) {
    if (pf::forms().is_loaded("FORM5")) store::close_progress_window();
    pf::form("MAINFORM").hide();
    set_pointer("MAINFORM", pf::MousePointer::Arrow);
    set_pointer(window, pf::MousePointer::Arrow);
    pf::form(window).show();
    pf::form(window).set_enabled(true);
}

void return_selected(int folder_no, const ReturnSpec& spec) {
    MailList list = window_list(folder_no, spec.received);
    if (list.rows().count() == 0) {
        pf::inform(list.form, "NOT EXIST", "メールがありません。    "_sj);
        return;
    }
    int row = list.rows().selected();
    if (list.listing().count() == 0) return;
    if (row < 0) {
        pf::inform(list.form, "NOT SELECT", "メールが選択されていません。    "_sj);
        return;
    }
    if (!asked_yes(list.form, sj(spec.title), sj(spec.first_line))) return;
    if (!pf::forms().is_loaded(list.form)) return;  // closed while the question was up
    const ReturnStyle& style = style_of(folder_no, spec.received);
    // From here the window takes no input: a click queued now would act on a list that changes.
    pf::form(list.form).set_enabled(false);
    if (style.main_hourglass_first) set_pointer("MAINFORM", pf::MousePointer::Hourglass);
    show_wait_window(style);
    if (style.pumps_after_main_shown >= 0) main_window_in_front(list.form, style.pumps_after_main_shown);
    MailAction action = folder_no == 0 ? MailAction::TrashRestore : MailAction::FolderReturn;
    if (!move_mail(list, row, box_destination(spec.received), {true, false}, step_pauses(action, spec.received))) {
        call_off(list.form);
        return;
    }
    leave_window(folder_no, style.save);
    pf::forms().unload(list.form);
    Globals& g = globals();
    pf::form("MAINFORM").set_enabled(true);
    g.MAINFORM_RERUN = 1;
    set_pointer("MAINFORM", pf::MousePointer::Hourglass);
    pf::EVENT_PUMP();
    pf::handlers().run("MAINFORM_START");
    if (pf::forms().is_loaded("FORM5")) store::close_progress_window();
    if (style.pump_after_refill) pf::EVENT_PUMP();
    set_pointer("MAINFORM", pf::MousePointer::Arrow);
    bring_compose_window_back();
}

}  // namespace

void BUTTON16_ON() { return_selected(0, kToReceiveBox); }
void BUTTON17_ON() { return_selected(0, kToSendBox); }

void BUTTON54_ON() {
    if (shown_folder() > 0) return_selected(shown_folder(), kToReceiveBox);
}

void BUTTON58_ON() {
    if (shown_folder() > 0) return_selected(shown_folder(), kToSendBox);
}

}  // namespace tv::folders
