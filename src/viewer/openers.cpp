#include "viewer/openers.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/receive_list.h"
#include "store/unread_mark.h"
#include "viewer/viewer_window.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

pf::Control& send_list() { return pf::form("MAINFORM").control("LIST1"); }

void clear_selection_of(pf::Control& other) {
    if (other.count() > 0) other.select(-1);
}

// The receive list as the unread mark's rebuild leaves it, put back where the user had it.
void clear_unread_mark(int row, int top, bool put_top_back) {
    store::SAIBYOUGA_L3();
    pf::pause(20);
    pf::Control& list = store::receive_list();
    if (list.count() == 0) return;
    if (put_top_back) list.set_top_index(top);
    list.select(row);
}

}  // namespace

void LIST3_CLICK() { clear_selection_of(send_list()); }

void LIST1_CLICK() { clear_selection_of(store::receive_list()); }

void LIST3_DBLCLICK() {
    auto& g = globals();
    pf::Control& list = store::receive_list();
    int top = list.top_index(), row = list.selected();
    g.VIEW_MODE = 1;
    g.VIEW_RECV_ROW = row;
    g.VIEW_SENT_ROW = -1;
    g.UNREAD_CLEAR_ROW = row;
    if (row < 0) return;
    g.MAIL_FILE_NAME = store::listed_name(store::work_list("LIST2"), row + 1);
    if (is_blank(g.MAIL_FILE_NAME)) return;
    if (!open_viewer(true)) return;
    clear_unread_mark(row, top, true);
}

void LIST1_DBLCLICK() {
    auto& g = globals();
    pf::Control& list = send_list();
    int top = list.top_index(), row = list.selected();
    g.VIEW_MODE = 2;
    g.VIEW_RECV_ROW = -1;
    g.VIEW_SENT_ROW = row;
    if (row < 0) return;
    g.MAIL_FILE_NAME = store::listed_name(store::work_list("LIST5"), row + 1);
    if (is_blank(g.MAIL_FILE_NAME)) return;
    if (!open_viewer(true)) return;
    if (list.count() > 0) {
        list.set_top_index(top);
        list.select(row);
    }
}

void HIRAKU_ON() {
    auto& g = globals();
    int received = store::receive_list().selected();
    int sent = send_list().selected();
    g.UNREAD_CLEAR_ROW = received;
    if (received < 0 && sent < 0) {
        pf::message_box("MAINFORM", "NOT SELECT", "メールが選択されていません。    "_sj, pf::MsgButtons::Ok,
                        pf::MsgIcon::Information);
        return;
    }
    if (received >= 0) {
        g.VIEW_MODE = 1;
        g.VIEW_RECV_ROW = received;
        g.VIEW_SENT_ROW = -1;
        g.MAIL_FILE_NAME = store::listed_name(store::work_list("LIST2"), received + 1);
        if (is_blank(g.MAIL_FILE_NAME)) return;
        if (!open_viewer(false)) return;
        clear_unread_mark(received, 0, false);
        return;
    }
    g.VIEW_MODE = 2;
    g.VIEW_RECV_ROW = -1;
    g.VIEW_SENT_ROW = sent;
    g.MAIL_FILE_NAME = store::listed_name(store::work_list("LIST5"), sent + 1);
    if (is_blank(g.MAIL_FILE_NAME)) return;
    open_viewer(false);
}

}  // namespace tv::viewer
