#include "shell/program.h"

#include "common/text_file.h"
#include "folders/trash_move.h"
#include "platform/events.h"
#include "platform/platform.h"
#include "shell/main_form.h"
#include "shell/main_load.h"
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
    h.set("MAINFORM_QUERYCLOSE", [] {
        files::close_all_files();
        platform::end_program();
    });
}

}  // namespace tv::shell
