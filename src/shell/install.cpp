#include "shell/install.h"

#include "platform/events.h"
#include "shell/list_popups.h"
#include "shell/main_form.h"
#include "shell/main_load.h"
#include "shell/option_items.h"
#include "shell/program_exit.h"
#include "shell/right_click.h"

namespace tv::shell {

void install() {
    define_main_form();
    platform::install_handlers({
        {"MAINFORM_START", MAINFORM_START},
        {"MAINFORM_QUERYCLOSE", MAINFORM_QUERYCLOSE},
        {"SYUURYOU_ON", SYUURYOU_ON},
        {"SERV_ON", SERV_ON},
        {"SINAI_ON", SINAI_ON},
        {"KARA_ON", KARA_ON},
        {"SOUND_ON", SOUND_ON},
        {"EXTGETEVENT", [] { EXTGETEVENT("MAINFORM"); }},
        {"MAINFORM_SETFOCUS", MAINFORM_SETFOCUS},
        {"FORM8_SETFOCUS", FORM8_SETFOCUS},
        {"FORM16_SETFOCUS", FORM16_SETFOCUS},
        {"MAINFORM_MOUSEDOWN", MAINFORM_MOUSEDOWN},
        {"FORM8_MOUSEDOWN", FORM8_MOUSEDOWN},
        {"FORM16_MOUSEDOWN", FORM16_MOUSEDOWN},
    });
}

}  // namespace tv::shell
