#include "transfer/progress_window.h"

#include "platform/events.h"
#include "platform/forms.h"

namespace tv::transfer {

namespace pf = tv::platform;

namespace {

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

}  // namespace

void close_progress_windows() {
    for (const char* window : {"FORM5", "FORM6"}) {
        if (!pf::forms().is_loaded(window)) continue;
        pf::form(window).pointer = pf::MousePointer::Arrow;
        pf::forms().unload(window);
    }
}

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
    pf::handlers().set("FORM5_START", FORM5_START);
    pf::handlers().set("FORM5_RESIZE", FORM5_RESIZE);
}

}  // namespace tv::transfer
