#include "folders/window_deletes.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "folders/folder_windows.h"
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

constexpr ViewAfter kAfterDelete{false, true};


void delete_selected(int folder_no, bool received, const std::string& no_confirm, void (*delete_row)()) {
    MailList list = window_list(folder_no, received);
    if (list.rows().selected() < 0) {
        pf::inform(list.form, "NOT SELECT", "削除対象メールが選択されていません。    "_sj);
        return;
    }
    if (numeric_value(no_confirm) == 0 && !asked_yes(list.form, "削除"_sj, "選択したメールを削除します。    "_sj)) return;
    int row = list.rows().selected();
    if (row < 0) return;
    Globals& g = globals();
    g.DELETE_BOX = received ? 1 : 2;
    g.DELETE_ROW = row;
    delete_row();
}

void delete_row_of(int folder_no) {
    const Globals& g = globals();
    if (g.DELETE_BOX != 1 && g.DELETE_BOX != 2) return;
    MailAction action = folder_no == 0 ? MailAction::TrashDelete : MailAction::FolderDelete;
    delete_mail(window_list(folder_no, g.DELETE_BOX == 1), g.DELETE_ROW, kAfterDelete,
                step_pauses(action, g.DELETE_BOX == 1));
}

void delete_everything(int folder_no, bool received) {
    MailList list = window_list(folder_no, received);
    if (list.listing().count() == 0) {
        pf::inform(list.form, "NOT EXIST", "メールがありません。    "_sj);
        return;
    }
    std::string what = received ? "の全ての「受信メール」を削除します。    "_sj : "の全ての「送信メール」を削除します。    "_sj;
    if (!asked_yes(list.form, "全て削除"_sj, store::display_name(store::folder_place(folder_no)) + what)) return;
    pf::Form& f = pf::form(list.form);
    if (!f.loaded) return;
    f.pointer = pf::MousePointer::Hourglass;
    f.changed();
    delete_all_mail(list);
    f.pointer = pf::MousePointer::Arrow;
    f.changed();
}

}  // namespace

void BUTTON14_ON() { delete_selected(0, true, globals().TRASH_NO_DELETE_CONFIRM, SAKUJO_G); }
void BUTTON15_ON() { delete_selected(0, false, globals().TRASH_NO_DELETE_CONFIRM, SAKUJO_G); }
void SAKUJO_G() { delete_row_of(0); }
void BUTTON18_ON() { delete_everything(0, true); }
void BUTTON19_ON() { delete_everything(0, false); }

void BUTTON55_ON() {
    if (shown_folder() > 0) delete_selected(shown_folder(), true, globals().FOLDER_NO_DELETE_CONFIRM, SAKUJO_FOR);
}
void BUTTON59_ON() {
    if (shown_folder() > 0) delete_selected(shown_folder(), false, globals().FOLDER_NO_DELETE_CONFIRM, SAKUJO_FOR);
}
void SAKUJO_FOR() {
    if (shown_folder() > 0) delete_row_of(shown_folder());
}
void BUTTON56_ON() {
    if (shown_folder() > 0) delete_everything(shown_folder(), true);
}
void BUTTON60_ON() {
    if (shown_folder() > 0) delete_everything(shown_folder(), false);
}

void CHECK8_ON() { write_delete_option(trash_face(), globals().TRASH_NO_DELETE_CONFIRM); }
void CHECK9_ON() { write_delete_option(folder_face(), globals().FOLDER_NO_DELETE_CONFIRM); }

}  // namespace tv::folders
