#include "transfer/install.h"

#include "platform/events.h"
#include "transfer/account_window.h"
#include "transfer/receive.h"
#include "transfer/transfer_windows.h"

namespace tv::transfer {

void install() {
    define_status_window();
    define_account_window();
    platform::install_handlers({
        {"BUTTON3_ON", BUTTON3_ON},
        {"FORM6_START", FORM6_START},
        {"FORM6_RESIZE", FORM6_RESIZE},
        {"KANKYOYU_ON", KANKYOYU_ON},
        {"FORM4_START", FORM4_START},
        {"BUTTON6_ON", BUTTON6_ON},
        {"BUTTON5_ON", BUTTON5_ON},
        {"FORM4_QUERYCLOSE", FORM4_QUERYCLOSE},
    });
    platform::install_handlers(account_box_handlers());
}

}  // namespace tv::transfer
