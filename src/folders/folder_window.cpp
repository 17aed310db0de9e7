#include "folders/folder_window.h"

#include "common/globals.h"
#include "folders/mail_lists.h"
#include "folders/window_lifecycle.h"
#include "folders/window_steps.h"
#include "platform/forms.h"

namespace tv::folders {

namespace pf = tv::platform;

namespace {

// The folder the window was last set up for: its close writes that folder's cache.
int g_shown_folder = 1;

}  // namespace

void open_folder_window(int folder_no) {
    globals().FOLDER_NO = folder_no;
    if (pf::forms().is_loaded("FORM16")) {
        // The window shows another folder: it is set up again, as its switch buttons do.
        pf::event_queue().post("FORM16_START");
    } else {
        pf::forms().load("FORM16");
    }
    pf::Form& window = pf::form("FORM16");
    window.show();
    put_main_window_away();
    window.bring_to_front();
}

void FORM16_START() {
    if (!pf::forms().is_loaded("FORM16")) return;
    int folder_no = globals().FOLDER_NO;
    if (!is_user_folder(folder_no)) {
        // No folder to show: nothing of any store is touched.
        pf::forms().unload("FORM16");
        back_to_main_window(0);
        return;
    }
    g_shown_folder = folder_no;
    set_up_window(folder_no);
}

void FORM16_QUERYCLOSE() { close_window_by_user(g_shown_folder); }

void LIST27_CLICK() { clear_other_selection("FORM16", "LIST27", "LIST28"); }
void LIST28_CLICK() { clear_other_selection("FORM16", "LIST28", "LIST27"); }
void LIST27_DBLCLICK() { open_in_viewer("FORM16", "LIST27", "LIST25", 5); }
void LIST28_DBLCLICK() { open_in_viewer("FORM16", "LIST28", "LIST26", 6); }

std::vector<pf::NamedHandler> folder_menu_handlers() {
    std::vector<pf::NamedHandler> table;
    int folder_no = 0;
    for (const char* item : {"JOB_F_ON", "PRIVATE_F_ON", "HOBBY_F_ON", "ANOTHER_F_ON"}) {
        table.push_back({item, [n = ++folder_no] { open_folder_window(n); }});
    }
    return table;
}

}  // namespace tv::folders
