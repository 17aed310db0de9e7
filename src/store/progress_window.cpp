#include "store/progress_window.h"

#include "platform/forms.h"

namespace tv::store {

namespace pf = tv::platform;

void FORM5_START() {
    if (!pf::forms().is_loaded("FORM5")) return;
    pf::Form& f = pf::form("FORM5");
    f.pointer = pf::MousePointer::Hourglass;
    f.changed();
}

void FORM5_RESIZE() {
    if (!pf::forms().is_loaded("FORM5")) return;
    pf::Form& f = pf::form("FORM5");
    f.width = 506;
    f.height = 152;
    f.minimized = false;
    f.changed();
}

void close_progress_window() { pf::forms().unload("FORM5"); }

void define_progress_window() {
    pf::forms().define("FORM5", [](pf::Form& f) {
        f.width = 506;
        f.height = 152;
        f.left = 259;
        f.top = 308;
        f.borderless = true;
        f.has_title_bar = false;
        f.minimize_box = false;
        f.topmost = true;
    });
}

}  // namespace tv::store
