#include "viewer/eml_save_actions.h"

#include <string>

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/eml_save.h"
#include "store/folder_places.h"
#include "viewer/main_boxes.h"
#include "viewer/view_modes.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// Saves the mail VIEW_MODE and MAIL_FILE_NAME name; a view without a folder has nothing to save.
void save_current(const std::string& owner, std::string_view subject) {
    auto& g = globals();
    std::string path = view_mail_path(g.VIEW_MODE, g.FOLDER_NO, g.MAIL_FILE_NAME);
    if (path.empty()) return;
    store::save_mail_as_eml(owner, path, subject);
}

}  // namespace

void HOZON_ON() {
    auto& g = globals();
    pf::Control& received = box_list(kReceiveBox);
    pf::Control& sent = box_list(kSendBox);
    int a = received.selected(), b = sent.selected();
    if (a < 0 && b < 0) {
        pf::inform("MAINFORM", "NOT SELECT", "メールが選択されていません。    "_sj);
        return;
    }
    if (a >= 0) {
        g.VIEW_MODE = 1;
        g.MAIL_FILE_NAME = box_file_name(kReceiveBox, a);
        if (is_blank(g.MAIL_FILE_NAME)) return;
    }
    // The send list's mail wins when both lists have a selection.
    if (b >= 0) {
        g.VIEW_MODE = 2;
        g.MAIL_FILE_NAME = box_file_name(kSendBox, b);
        if (is_blank(g.MAIL_FILE_NAME)) return;
    }
    const pf::Control& rows = g.VIEW_MODE == 2 ? sent : received;
    save_current("MAINFORM", trim(mid_bytes(rows.item(g.VIEW_MODE == 2 ? b : a), 57, 60)));
}

void BUTTON13_ON() {
    auto& g = globals();
    // The shown mail comes from what its opener recorded, not from the lists as they are now.
    if (g.VIEW_MODE == 1 || g.VIEW_MODE == 2) {
        if (g.VIEW_RECV_ROW >= 0) {
            g.VIEW_MODE = 1;
            g.MAIL_FILE_NAME = box_file_name(kReceiveBox, g.VIEW_RECV_ROW);
            if (is_blank(g.MAIL_FILE_NAME)) return;
        }
        if (g.VIEW_SENT_ROW >= 0) {
            g.VIEW_MODE = 2;
            g.MAIL_FILE_NAME = box_file_name(kSendBox, g.VIEW_SENT_ROW);
            if (is_blank(g.MAIL_FILE_NAME)) return;
            pf::Control& sent = box_list(kSendBox);
            if (sent.count() > 0) sent.select(-1);
        }
    } else if (g.VIEW_MODE == 3 || g.VIEW_MODE == 4) {
        if (g.TRASH_RECV_VIEW_ROW >= 0) g.VIEW_MODE = 3;
        if (g.TRASH_SENT_VIEW_ROW >= 0) g.VIEW_MODE = 4;
        if (g.TRASH_RECV_VIEW_ROW >= 0 || g.TRASH_SENT_VIEW_ROW >= 0) {
            g.MAIL_FILE_NAME = trim(g.SUBWIN_MAIL_FILE);
            if (is_blank(g.MAIL_FILE_NAME)) return;
        }
    } else if (g.VIEW_MODE == 5 || g.VIEW_MODE == 6) {
        // A folder mail: the file its opener recorded, in the folder the view read.
        g.MAIL_FILE_NAME = trim(g.SUBWIN_MAIL_FILE);
        if (is_blank(g.MAIL_FILE_NAME)) return;
    }
    save_current("FORM3", g.VIEW_SUBJECT);
}

// The trash reads the row's subject column itself (from byte 53).
void BUTTON20_ON() { store::save_listed_mail(store::folder_place(0), true, 53); }

void BUTTON21_ON() { store::save_listed_mail(store::folder_place(0), false, 53); }

}  // namespace tv::viewer
