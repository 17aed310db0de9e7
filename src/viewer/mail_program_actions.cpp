#include "viewer/mail_program_actions.h"

#include <string>

#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_program.h"
#include "viewer/main_boxes.h"
#include "viewer/view_modes.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

int selected_row(const MainBox& box) { return box_list(box).selected(); }

void set_main_pointer(pf::MousePointer pointer) {
    pf::Form& main = pf::form("MAINFORM");
    main.pointer = pointer;
    main.changed();
}

bool tell_none_selected(bool none) {
    if (none) pf::inform("MAINFORM", "NOT SELECT", "メールが選択されていません。    "_sj);
    return none;
}

// Opens the mail of the box's selected row; the main window steps aside when it opened.
void open_selected(const MainBox& box) {
    int row = selected_row(box);
    if (store::open_in_mail_program(view_mail_path(box.view_mode, 0, box_file_name(box, row)), "MAINFORM")) {
        pf::form("MAINFORM").set_window_state(pf::WindowState::Minimized);
    }
}

void open_one(const MainBox& box) {
    if (tell_none_selected(selected_row(box) < 0)) return;
    set_main_pointer(pf::MousePointer::Hourglass);
    open_selected(box);
    set_main_pointer(pf::MousePointer::Arrow);
}

}  // namespace

void BUTTON24_ON() { open_one(kReceiveBox); }

void BUTTON25_ON() { open_one(kSendBox); }

void WIN_OPEN_ON() {
    bool received = selected_row(kReceiveBox) >= 0, sent = selected_row(kSendBox) >= 0;
    if (tell_none_selected(!received && !sent)) return;
    set_main_pointer(pf::MousePointer::Hourglass);
    if (received) open_selected(kReceiveBox);
    if (sent) open_selected(kSendBox);
    set_main_pointer(pf::MousePointer::Arrow);
}

}  // namespace tv::viewer
