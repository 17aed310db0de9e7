#include "shell/program.h"

#include "platform/events.h"
#include "shell/main_form.h"
#include "store/database_rebuild.h"
#include "transfer/progress_window.h"

namespace tv::shell {

void install_program() {
    define_main_form();
    transfer::define_progress_window();
    platform::handlers().set("D_SAIKOUTIKU_ON", store::D_SAIKOUTIKU_ON);
}

}  // namespace tv::shell
