#include "folders/window_moves.h"

#include <string>

#include "common/globals.h"
#include "common/sjis.h"
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

constexpr ViewAfter kAfterWindowMove{true, false};

// The selected mail of the window that shows FOLDER_NO goes to `destination` (0 the trash).
void move_selected(int destination, bool received) {
    int source = globals().FOLDER_NO;
    if (source < 0 || source > 4 || source == destination) return;
    MailList list = window_list(source, received);
    if (!pf::forms().is_loaded(list.form)) return;
    if (list.rows().selected() < 0) {
        pf::inform(list.form, "NOT SELECT", "削除対象メールが選択されていません。    "_sj);
        return;
    }
    if (!asked_yes(list.form, "移動"_sj, move_question(destination))) return;
    move_mail(list, list.rows().selected(), folder_destination(destination, received), kAfterWindowMove,
              step_pauses(MailAction::BetweenWindows, received));
}

}  // namespace

std::vector<pf::NamedHandler> window_move_handlers() {
    std::vector<pf::NamedHandler> table;
    int folder_no = 0;
    for (const char* prefix : {"JOB", "PRIV", "HOBB", "ANOTH"}) {
        ++folder_no;
        table.push_back({std::string(prefix) + "_IDOU_JUSIN", [folder_no] { move_selected(folder_no, true); }});
        table.push_back({std::string(prefix) + "_IDOU_SOUSIN", [folder_no] { move_selected(folder_no, false); }});
    }
    table.push_back({"GOMIBAKO_IDOU_JU", [] { move_selected(0, true); }});
    table.push_back({"GOMIBAKO_IDOU_SOU", [] { move_selected(0, false); }});
    return table;
}

}  // namespace tv::folders
