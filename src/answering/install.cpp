#include "answering/install.h"

#include "answering/check_cycle.h"
#include "answering/main_timer.h"
#include "answering/mode_switch.h"
#include "answering/reply_text_editor.h"
#include "answering/settings_parts.h"
#include "answering/settings_window.h"
#include "platform/events.h"

namespace tv::answering {

void install() {
    define_settings_window();
    define_reply_text_editor();
    platform::install_handlers({
        {"TIMER3_TIMER", TIMER3_TIMER},
        {"TIMER1_TIMER", TIMER1_TIMER},
        {"BUTTON30_ON", BUTTON30_ON},
        {"MAINFORM_RESIZE", MAINFORM_RESIZE},
        {"TALVENORSETTEI_ON", TALVENORSETTEI_ON},
        {"FORM11_START", FORM11_START},
        {"BUTTON37_ON", BUTTON37_ON},
        {"BUTTON31_ON", BUTTON31_ON},
        {"FORM11_QUERYCLOSE", FORM11_QUERYCLOSE},
        {"COMBO1_CHANGE", COMBO1_CHANGE},
        {"EDIT18_SETFOCUS", EDIT18_SETFOCUS},
        {"BUTTON40_ON", BUTTON40_ON},
        {"BUTTON38_ON", BUTTON38_ON},
        {"BUTTON39_ON", BUTTON39_ON},
        {"FORM11_CLICK", FORM11_CLICK},
        {"FORM11_MOUSEDOWN", FORM11_MOUSEDOWN},
        {"BUTTON45_ON", BUTTON45_ON},
        {"BUTTON46_ON", BUTTON46_ON},
        {"FORM13_START", FORM13_START},
        {"FORM13_QUERYCLOSE", FORM13_QUERYCLOSE},
        {"COMBO2_CHANGE", COMBO2_CHANGE},
        {"EDIT20_CHANGE", EDIT20_CHANGE},
        {"EDIT19_SETFOCUS", EDIT19_SETFOCUS},
        {"EDIT20_SETFOCUS", EDIT20_SETFOCUS},
        {"BUTTON44_ON", BUTTON44_ON},
        {"BUTTON42_ON", BUTTON42_ON},
        {"BUTTON43_ON", BUTTON43_ON},
        {"BUTTON41_ON", BUTTON41_ON},
    });
}

}  // namespace tv::answering
