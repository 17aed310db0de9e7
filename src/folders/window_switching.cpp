#include "folders/window_switching.h"

#include <string>

#include "common/globals.h"
#include "folders/folder_window.h"
#include "folders/trash_window.h"
#include "folders/window_lifecycle.h"
#include "folders/window_steps.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::folders {

namespace pf = tv::platform;

namespace {

// The window left from code: its received list saved, the window gone without its close.
void leave_and_unload(int folder_no, const char* form) {
    leave_window(folder_no);
    pf::Form& f = pf::form(form);
    f.hide();
    pf::forms().unload(form);
}

void switch_folder(int folder_no) {
    globals().FOLDER_NO = folder_no;
    FORM16_START();
    pf::form("FORM16").bring_to_front();
}

void folder_to_trash() {
    leave_and_unload(globals().FOLDER_NO, "FORM16");
    open_trash_window(false);
}

void folder_to_main() {
    leave_and_unload(globals().FOLDER_NO, "FORM16");
    back_to_main_window(20);
}

void trash_to_folder(int folder_no) {
    leave_and_unload(0, "FORM8");
    pf::pause(20);
    open_folder_window(folder_no);
}

void trash_to_main() {
    leave_and_unload(0, "FORM8");
    pf::pause(20);
    back_to_main_window(20);
}

pf::NamedHandler button_of(const char* form, int number, std::function<void()> action) {
    return window_input(form, "BUTTON" + std::to_string(number) + "_ON", std::move(action));
}

}  // namespace

std::vector<pf::NamedHandler> window_switching_handlers() {
    std::vector<pf::NamedHandler> table;
    for (int folder_no = 1; folder_no <= 4; ++folder_no) {
        table.push_back(button_of("FORM16", 74 + folder_no, [folder_no] { switch_folder(folder_no); }));
        table.push_back(button_of("FORM8", 82 + folder_no, [folder_no] { trash_to_folder(folder_no); }));
    }
    table.push_back(button_of("FORM16", 81, folder_to_trash));
    table.push_back(button_of("FORM16", 82, folder_to_main));
    table.push_back(button_of("FORM8", 87, trash_to_main));
    return table;
}

}  // namespace tv::folders
