#include "compose/install.h"

#include "compose/address_window.h"
#include "compose/attachments.h"
#include "compose/compose_window.h"
#include "compose/handover_pickup.h"
#include "compose/picker.h"
#include "compose/reply.h"
#include "compose/send_mail.h"
#include "compose/unsent_list.h"
#include "platform/events.h"

namespace tv::compose {

void install() {
    define_compose_window();
    define_address_window();
    platform::install_handlers({
        {"BUTTON1_ON", BUTTON1_ON},
        {"FORM9_START", FORM9_START},
        {"FORM9_QUERYCLOSE", FORM9_QUERYCLOSE},
        {"FORM9_RESIZE", FORM9_RESIZE},
        {"EDIT11_SETFOCUS", EDIT11_SETFOCUS},
        {"EDIT14_SETFOCUS", EDIT14_SETFOCUS},
        {"EDIT12_SETFOCUS", EDIT12_SETFOCUS},
        {"EDIT12_KILLFOCUS", EDIT12_KILLFOCUS},
        {"EDIT13_SETFOCUS", EDIT13_SETFOCUS},
        {"EDIT13_KILLFOCUS", EDIT13_KILLFOCUS},
        {"EDIT12_CHANGE", EDIT12_CHANGE},
        {"EDIT14_CHANGE", EDIT14_CHANGE},
        {"EDIT11_CHANGE", EDIT11_CHANGE},
        {"BUTTON33_ON", BUTTON33_ON},
        {"BUTTON29_ON", BUTTON29_ON},
        {"BUTTON27_ON", BUTTON27_ON},
        {"BUTTON79_ON", BUTTON79_ON},
        {"TIMER2_TIMER", TIMER2_TIMER},
        {"BUTTON26_ON", BUTTON26_ON},
        {"FORM10_START", FORM10_START},
        {"FORM10_QUERYCLOSE", FORM10_QUERYCLOSE},
        {"FORM10_CLICK", FORM10_CLICK},
        {"EDIT33_CHANGE", EDIT33_CHANGE},
        {"EDIT33_SETFOCUS", EDIT33_SETFOCUS},
        {"RADIO19_ON", RADIO19_ON},
        {"RADIO20_ON", RADIO20_ON},
        {"LIST13_DBLCLICK", LIST13_DBLCLICK},
        {"BUTTON72_ON", BUTTON72_ON},
        {"LIST30_DBLCLICK", LIST30_DBLCLICK},
        {"BUTTON73_ON", BUTTON73_ON},
        {"BUTTON74_ON", BUTTON74_ON},
        {"BUTTON92_ON", BUTTON92_ON},
        {"BUTTON32_ON", BUTTON32_ON},
        {"GOMIBAKO_HENSIN", GOMIBAKO_HENSIN},
        {"FORDA_HENSIN", FORDA_HENSIN},
    });
}

}  // namespace tv::compose
