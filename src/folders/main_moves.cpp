#include "folders/main_moves.h"

#include <string>

#include "common/errors.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "folders/keep_on_server_rule.h"
#include "folders/mail_lists.h"
#include "folders/mail_moves.h"
#include "folders/window_steps.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/folder_places.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// The list keeps its first visible row; the mail that followed is selected.
constexpr ViewAfter kAfterMainMove{false, false};

MailList main_list(int box) { return box == 1 ? main_received_list() : main_sent_list(); }

// One mail of a main list into the trash (0) or a folder; errors after the files are safe leave
// the rest to the next load.
void move_from_main(int box, int row, int folder_no) {
    if (box != 1 && box != 2) return;
    try {
        MailAction action = folder_no == 0 ? MailAction::TrashFromMain : MailAction::FolderFromMain;
        move_mail(main_list(box), row, folder_destination(folder_no, box == 1), kAfterMainMove,
                  step_pauses(action, box == 1));
    } catch (const RuntimeError&) {
    }
}

struct MoveButton {
    int box;
    int folder_no;
};

std::string not_selected_text(const MoveButton& b) {
    if (b.folder_no != 0) return "移動対象メールが選択されていません。    "_sj;
    return b.box == 1 ? "受信メールを選択して下さい。    "_sj : "送信メールを選択して下さい。    "_sj;
}

// Moving to the trash may go without the question; moving to a folder always asks.
bool confirmed(const MoveButton& b) {
    if (b.folder_no == 0 && numeric_value(globals().NO_TRASH_CONFIRM) != 0) return true;
    return asked_yes("MAINFORM", b.folder_no == 0 ? "「ごみ箱」へ移動"_sj : "移動"_sj, move_question(b.folder_no));
}

void move_selected(const MoveButton& b) {
    pf::Control& list = main_list(b.box).rows();
    if (list.selected() < 0) {
        pf::inform("MAINFORM", "NOT SELECT", not_selected_text(b));
        return;
    }
    if (b.box == 1 && keep_on_server_refuses(list.selected())) return;
    if (!confirmed(b) || list.selected() < 0) return;
    Globals& g = globals();
    if (b.folder_no == 0) {
        g.DELETE_BOX = b.box;
        g.DELETE_ROW = list.selected();
        SAKUJO();
        return;
    }
    g.MOVE_SOURCE = b.box;
    g.FOLDER_NO = b.folder_no;
    g.MOVE_ROW = list.selected();
    IDOU();
}

}  // namespace

void SAKUJO() {
    const Globals& g = globals();
    move_from_main(g.DELETE_BOX, g.DELETE_ROW, 0);
}

void IDOU() {
    const Globals& g = globals();
    if (is_user_folder(g.FOLDER_NO)) move_from_main(g.MOVE_SOURCE, g.MOVE_ROW, g.FOLDER_NO);
}

void BUTTON11_ON() { move_selected({1, 0}); }
void BUTTON12_ON() { move_selected({2, 0}); }

std::vector<pf::NamedHandler> folder_move_handlers() {
    std::vector<pf::NamedHandler> table;
    for (int folder_no = 1; folder_no <= 4; ++folder_no) {
        for (int box : {1, 2}) {
            MoveButton b{box, folder_no};
            table.push_back({"BUTTON" + std::to_string(60 + 2 * folder_no + box - 1) + "_ON", [b] { move_selected(b); }});
        }
    }
    return table;
}

}  // namespace tv::folders
