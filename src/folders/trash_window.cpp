#include "folders/trash_window.h"

#include "common/globals.h"
#include "folders/window_lifecycle.h"
#include "folders/window_steps.h"
#include "platform/forms.h"

namespace tv::folders {

namespace pf = tv::platform;

void open_trash_window(bool topmost) {
    if (!pf::forms().is_loaded("FORM8")) pf::forms().load("FORM8");
    pf::Form& window = pf::form("FORM8");
    window.show();
    put_main_window_away();
    if (topmost) window.set_topmost(true);
    window.bring_to_front();
}

void GOMINAKO_ON() { open_trash_window(true); }
void BUTTON80_ON() { open_trash_window(false); }

void FORM8_START() { set_up_window(0); }
void FORM8_QUERYCLOSE() { close_window_by_user(0); }

void LIST10_CLICK() { clear_other_selection("FORM8", "LIST10", "LIST11"); }
void LIST11_CLICK() { clear_other_selection("FORM8", "LIST11", "LIST10"); }

void LIST10_DBLCLICK() {
    Globals& g = globals();
    g.TRASH_SENT_VIEW_ROW = -1;
    g.TRASH_RECV_VIEW_ROW = open_in_viewer("FORM8", "LIST10", "LIST8", 3);
}

void LIST11_DBLCLICK() {
    Globals& g = globals();
    g.TRASH_RECV_VIEW_ROW = -1;
    g.TRASH_SENT_VIEW_ROW = open_in_viewer("FORM8", "LIST11", "LIST9", 4);
}

}  // namespace tv::folders
