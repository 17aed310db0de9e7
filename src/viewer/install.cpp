#include "viewer/install.h"

#include "platform/events.h"
#include "viewer/attachments.h"
#include "viewer/eml_save_actions.h"
#include "viewer/html_conversion.h"
#include "viewer/mail_print.h"
#include "viewer/mail_program_actions.h"
#include "viewer/openers.h"
#include "viewer/print_lines.h"
#include "viewer/source_window.h"
#include "viewer/viewer_controls.h"
#include "viewer/viewer_window.h"

namespace tv::viewer {

void install() {
    define_viewer_window();
    define_source_window();
    platform::install_handlers({
        {"FORM3_START", FORM3_START},
        {"FORM3_QUERYCLOSE", FORM3_QUERYCLOSE},
        {"FORM3_RESIZE", FORM3_RESIZE},
        {"RADIO9_ON", RADIO9_ON},
        {"RADIO10_ON", RADIO10_ON},
        {"RADIO11_ON", RADIO11_ON},
        {"LIST3_CLICK", LIST3_CLICK},
        {"LIST1_CLICK", LIST1_CLICK},
        {"LIST3_DBLCLICK", LIST3_DBLCLICK},
        {"LIST1_DBLCLICK", LIST1_DBLCLICK},
        {"HIRAKU_ON", HIRAKU_ON},
        {"BUTTON22_ON", BUTTON22_ON},
        {"BUTTON23_ON", BUTTON23_ON},
        {"LIST4_DBLCLICK", LIST4_DBLCLICK},
        {"BUTTON4_ON", BUTTON4_ON},
        {"FORM2_START", FORM2_START},
        {"FORM2_RESIZE", FORM2_RESIZE},
        {"FORM2_QUERYCLOSE", FORM2_QUERYCLOSE},
        {"HOZON_ON", HOZON_ON},
        {"BUTTON13_ON", BUTTON13_ON},
        {"BUTTON20_ON", BUTTON20_ON},
        {"BUTTON21_ON", BUTTON21_ON},
        {"BUTTON24_ON", BUTTON24_ON},
        {"BUTTON25_ON", BUTTON25_ON},
        {"WIN_OPEN_ON", WIN_OPEN_ON},
        {"EDIT8_CHANGE", EDIT8_CHANGE},
        {"BUTTON53_ON", BUTTON53_ON},
        {"BUTTON88_ON", BUTTON88_ON},
        {"BUTTON89_ON", BUTTON89_ON},
        {"BUTTON90_ON", BUTTON90_ON},
        {"BUTTON91_ON", BUTTON91_ON},
        {"EDIT34_SETFOCUS", EDIT34_SETFOCUS},
        {"EDIT15_SETFOCUS", EDIT15_SETFOCUS},
        {"FORM3_CLICK", FORM3_CLICK},
    });
}

}  // namespace tv::viewer
