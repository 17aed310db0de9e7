#include "store/install.h"

#include "platform/events.h"
#include "store/database_rebuild.h"
#include "store/progress_window.h"

namespace tv::store {

void install() {
    define_progress_window();
    platform::install_handlers({
        {"D_SAIKOUTIKU_ON", D_SAIKOUTIKU_ON},
        {"FORM5_START", FORM5_START},
        {"FORM5_RESIZE", FORM5_RESIZE},
    });
}

}  // namespace tv::store
