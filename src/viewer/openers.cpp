#include "viewer/openers.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/unread_mark.h"
#include "viewer/main_boxes.h"
#include "viewer/viewer_window.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

void clear_selection_of(pf::Control& other) {
    if (other.count() > 0) other.select(-1);
}

}  // namespace

void record_row(const MainBox& box, int row) {
    auto& g = globals();
    g.VIEW_RECV_ROW = box.received ? row : -1;
    g.VIEW_SENT_ROW = box.received ? -1 : row;
}

bool name_mail(const MainBox& box, int row) {
    auto& g = globals();
    g.VIEW_MODE = box.view_mode;
    record_row(box, row);
    if (row < 0) return false;
    g.MAIL_FILE_NAME = box_file_name(box, row);
    return !is_blank(g.MAIL_FILE_NAME);
}

void after_opening(const MainBox& box, int row, int top, bool put_back) {
    pf::Control& list = box_list(box);
    if (box.received) {
        store::SAIBYOUGA_L3();
        pf::pause(20);
    }
    if (list.count() == 0) return;
    if (put_back) list.set_top_index(top);
    list.select(row);
}

namespace {

void open_by_double_click(const MainBox& box) {
    pf::Control& list = box_list(box);
    int top = list.top_index(), row = list.selected();
    if (box.received) globals().UNREAD_CLEAR_ROW = row;
    if (!name_mail(box, row) || !open_viewer(true)) return;
    after_opening(box, row, top, true);
}

}  // namespace

void LIST3_CLICK() { clear_selection_of(box_list(kSendBox)); }

void LIST1_CLICK() { clear_selection_of(box_list(kReceiveBox)); }

void LIST3_DBLCLICK() { open_by_double_click(kReceiveBox); }

void LIST1_DBLCLICK() { open_by_double_click(kSendBox); }

void HIRAKU_ON() {
    int received = box_list(kReceiveBox).selected();
    int sent = box_list(kSendBox).selected();
    globals().UNREAD_CLEAR_ROW = received;
    if (received < 0 && sent < 0) {
        pf::inform("MAINFORM", "NOT SELECT", "メールが選択されていません。    "_sj);
        return;
    }
    // The receive list wins when both lists have a selection; its scroll position is not put back.
    const MainBox& box = received >= 0 ? kReceiveBox : kSendBox;
    int row = received >= 0 ? received : sent;
    if (!name_mail(box, row) || !open_viewer(false)) return;
    if (box.received) after_opening(box, row, 0, false);
}

}  // namespace tv::viewer
