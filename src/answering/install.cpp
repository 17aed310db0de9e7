#include "answering/install.h"

#include "answering/check_cycle.h"
#include "answering/main_timer.h"
#include "answering/mode_switch.h"
#include "platform/events.h"

namespace tv::answering {

void install() {
    platform::install_handlers({
        {"TIMER3_TIMER", TIMER3_TIMER},
        {"TIMER1_TIMER", TIMER1_TIMER},
        {"BUTTON30_ON", BUTTON30_ON},
        {"MAINFORM_RESIZE", MAINFORM_RESIZE},
    });
}

}  // namespace tv::answering
