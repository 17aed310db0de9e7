#include "shell/program.h"

#include "common/text_file.h"
#include "folders/trash_move.h"
#include "platform/events.h"
#include "platform/platform.h"
#include "shell/compose_button.h"
#include "shell/list_popups.h"
#include "shell/main_form.h"
#include "shell/main_load.h"
#include "shell/option_items.h"
#include "shell/program_exit.h"
#include "shell/right_click.h"
#include "store/silent_reindex.h"
#include "store/database_rebuild.h"
#include "transfer/account_window.h"
#include "transfer/progress_window.h"
#include "transfer/receive.h"
#include "transfer/transfer_windows.h"

namespace tv::shell {

void install_program() {
    define_main_form();
    transfer::define_progress_window();
    transfer::define_status_window();
    transfer::define_account_window();
    auto& h = platform::handlers();
    h.set("D_SAIKOUTIKU_ON", store::D_SAIKOUTIKU_ON);
    h.set("MAINFORM_START", MAINFORM_START);
    h.set("BUTTON3_ON", transfer::BUTTON3_ON);
    h.set("BUTTON11_ON", folders::BUTTON11_ON);
    h.set("BUTTON12_ON", folders::BUTTON12_ON);
    h.set("SAKUJO", folders::SAKUJO);
    h.set("MAINFORM_QUERYCLOSE", MAINFORM_QUERYCLOSE);
    h.set("SYUURYOU_ON", SYUURYOU_ON);
    h.set("SERV_ON", SERV_ON);
    h.set("SINAI_ON", SINAI_ON);
    h.set("KARA_ON", KARA_ON);
    h.set("SOUND_ON", SOUND_ON);
    h.set("BUTTON1_ON", BUTTON1_ON);
    h.set("EXTGETEVENT", [] { EXTGETEVENT("MAINFORM"); });
    h.set("MAINFORM_SETFOCUS", MAINFORM_SETFOCUS);
    h.set("FORM8_SETFOCUS", FORM8_SETFOCUS);
    h.set("FORM16_SETFOCUS", FORM16_SETFOCUS);
    h.set("MAINFORM_MOUSEDOWN", MAINFORM_MOUSEDOWN);
    h.set("FORM8_MOUSEDOWN", FORM8_MOUSEDOWN);
    h.set("FORM16_MOUSEDOWN", FORM16_MOUSEDOWN);
}

}  // namespace tv::shell
