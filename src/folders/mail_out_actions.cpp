#include "folders/mail_out_actions.h"

#include <string>

#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "folders/mail_lists.h"
#include "folders/window_steps.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/eml_save.h"
#include "store/folder_places.h"
#include "store/mail_program.h"
#include "store/mail_stores.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// The folder window reads the row's subject from the blank before its column (byte 52).
void save_folder_mail(bool received) {
    if (shown_folder() >= 0) store::save_listed_mail(store::folder_place(shown_folder()), received, 52);
}

// The selected mail of each list of the window showing `folder_no`, received first.
void open_in_mail_program(int folder_no) {
    if (folder_no < 0) return;
    MailList lists[2] = {window_list(folder_no, true), window_list(folder_no, false)};
    const std::string& form = lists[0].form;
    if (!pf::forms().is_loaded(form)) return;
    if (lists[0].rows().selected() < 0 && lists[1].rows().selected() < 0) {
        pf::inform(form, "NOT SELECT", "メールが選択されていません。    "_sj);
        return;
    }
    set_pointer(form, pf::MousePointer::Hourglass);
    for (const MailList& list : lists) {
        int row = list.rows().selected();
        if (row < 0) continue;
        std::string path = files::join(list.mail_folder, store::listed_name(list.listing(), row + 1));
        if (store::open_in_mail_program(path, form)) {
            // The mail program has the screen; the window waits on the taskbar.
            pf::form("MAINFORM").hide();
            pf::form(form).set_window_state(pf::WindowState::Minimized);
        }
        set_pointer(form, pf::MousePointer::Arrow);
    }
}

}  // namespace

void BUTTON57_ON() { save_folder_mail(true); }
void BUTTON61_ON() { save_folder_mail(false); }

void BUTTON70_ON() { open_in_mail_program(0); }
void BUTTON71_ON() { open_in_mail_program(shown_folder()); }

void GOMI_F_SYOUSAI() {
    Globals& g = globals();
    int folder_no = g.TRASH_WINDOW_OPEN > 0 ? 0 : g.FOLDER_WINDOW_OPEN > 0 ? shown_folder() : -1;
    if (folder_no < 0) return;
    MailList list = window_list(folder_no, true);
    if (!pf::forms().is_loaded(list.form)) return;
    int row = list.rows().selected();
    g.DETAIL_ROW_TEXT = row >= 0 ? list.rows().item(row) : std::string();
    if (row < 0) {
        pf::inform(list.form, "NOT SELECT", "受信メールを選択して下さい。    "_sj);
        return;
    }
    g.MAIL_FILE_NAME = store::listed_name(list.listing(), row + 1);
    if (g.MAIL_FILE_NAME.empty()) return;
    if (!pf::forms().is_loaded("FORM2")) pf::forms().load("FORM2");
    pf::Form& details = pf::form("FORM2");
    details.show();
    pf::Form& window = pf::form(list.form);
    window.set_enabled(false);
    window.hide();
    details.set_topmost(true);
}

}  // namespace tv::folders
