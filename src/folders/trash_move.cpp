#include "folders/trash_move.h"

#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "folders/file_moves.h"
#include "folders/keep_on_server_rule.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/receive_list.h"
#include "store/send_list.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr int kStepPause = 20;

pf::Control& main_list(const char* name) { return pf::form("MAINFORM").control(name); }

void report_failed_move() {
    pf::message_box("MAINFORM", "NOT MOVED !",
                    "メールを「ごみ箱」に移動できませんでした。    "_sj + "\r\n\r\n" +
                        "メールは元の場所に残っています。    "_sj,
                    pf::MsgButtons::Ok, pf::MsgIcon::Information);
}

// The list shows the same first row as before and selects the row now at the moved one's place.
void restore_view(pf::Control& list, int top, int row) {
    list.set_top_index(top);
    list.select(row < list.count() ? row : -1);
}

// The mail file and its own record go together. The record is chosen by its name, not by its place
// in the records folder, so a missing or stray record never sends another mail's record along.
void move_received(int row) {
    const store::MailStore& box = store::receive_box();
    const store::MailStore& trash = store::trash_store();
    pf::Control& list = store::receive_list();
    pf::Control& mails = store::work_list("LIST2");
    int top = list.top_index();
    pf::pause(kStepPause);
    std::string name = row < mails.count() ? store::listed_name(mails, row + 1) : std::string();
    if (!name.empty()) {
        std::string record = SUMMARY_RECORD_NAME(name);
        if (!move_files({{files::join(box.mail_folder, name), files::join(trash.mail_folder, name)},
                         {files::join(box.record_folder, record), files::join(trash.record_folder, record)}})) {
            report_failed_move();
            return;
        }
    }
    // The row leaves with its mail; a mail whose file could not be deleted keeps its row, so row i
    // stays mail i. The list is what the user sees, so the cache is written from it.
    if (name.empty() || !files::file_exists(files::join(box.mail_folder, name))) {
        std::vector<std::string> rows = list.items();
        if (row < static_cast<int>(rows.size())) rows.erase(rows.begin() + row);
        list.set_items(std::move(rows));
        try {
            store::write_receive_cache();
        } catch (const RuntimeError&) {
            // The next start finds the cache out of step with the box and rebuilds it.
        }
    }
    pf::pause(kStepPause);
    store::LIST_FOLDER_FILES(box.mail_folder, mails);
    pf::pause(kStepPause);
    restore_view(list, top, row);
    store::DRAW_BOX_COUNTS();
}

void move_sent(int row) {
    const store::MailStore& trash = store::trash_store();
    pf::Control& list = main_list("LIST1");
    int top = list.top_index();
    pf::pause(kStepPause);
    std::string name = store::listed_name(store::work_list("LIST5"), row + 1);
    if (name.empty()) return;
    if (!move_files({{files::join(store::kSentFolder, name), files::join(trash.sent_folder, name)}})) {
        report_failed_move();
        return;
    }
    pf::pause(kStepPause);
    store::refill_send_list(false);
    restore_view(list, top, row);
    store::DRAW_BOX_COUNTS();
}

struct TrashButton {
    const char* list;
    int box;
    const char* not_selected;  // UTF-8 source text
    bool keep_on_server_rule;
};

constexpr TrashButton kReceiveButton{"LIST3", 1, "受信メールを選択して下さい。    ", true};
constexpr TrashButton kSendButton{"LIST1", 2, "送信メールを選択して下さい。    ", false};

bool confirmed() {
    if (numeric_value(globals().NO_TRASH_CONFIRM) != 0) return true;
    return pf::message_box("MAINFORM", "「ごみ箱」へ移動"_sj,
                           "選択したメールを「ごみ箱」に移動します。    "_sj + "\r\n" + "よろしいですか？    "_sj,
                           pf::MsgButtons::YesNo, pf::MsgIcon::Question) == pf::MsgAnswer::Yes;
}

void move_selected(const TrashButton& button) {
    pf::Control& list = main_list(button.list);
    if (list.selected() < 0) {
        pf::message_box("MAINFORM", "NOT SELECT", sj(button.not_selected), pf::MsgButtons::Ok, pf::MsgIcon::Information);
        return;
    }
    if (button.keep_on_server_rule && keep_on_server_refuses(list.selected())) return;
    if (!confirmed() || list.selected() < 0) return;
    Globals& g = globals();
    g.DELETE_BOX = button.box;
    g.DELETE_ROW = list.selected();
    SAKUJO();
}

}  // namespace

void SAKUJO() {
    const Globals& g = globals();
    int row = g.DELETE_ROW;
    if (row < 0) return;
    try {
        if (g.DELETE_BOX == 1) move_received(row);
        if (g.DELETE_BOX == 2) move_sent(row);
    } catch (const RuntimeError&) {
        // A step that failed after the files were safe leaves the rest to the next load.
    }
}

void BUTTON11_ON() { move_selected(kReceiveButton); }
void BUTTON12_ON() { move_selected(kSendButton); }

}  // namespace tv::folders
