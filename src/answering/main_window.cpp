#include "answering/main_window.h"

#include "common/answering_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::answering {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

pf::Form& main_form() { return pf::form("MAINFORM"); }

// The icon of a file, empty when it cannot be loaded.
std::string load_icon(const char* path) { return files::file_exists(path) ? std::string(path) : std::string(); }

void make_class_icon(const std::string& handle) {
    pf::Form& main = main_form();
    main.icon = handle;
    main.changed();
}

}  // namespace

void show_main_minimized() {
    pf::Form& main = main_form();
    main.set_window_state(pf::WindowState::Minimized);
    main.show();
}

void enable_main(bool enabled) { main_form().set_enabled(enabled); }

void set_main_caption(const std::string& caption) {
    pf::Form& main = main_form();
    main.caption = caption;
    main.changed();
}

void main_font_gothic() { main_form().font.face = "ＭＳ ゴシック"_sj; }

void set_normal_icon(IconPauses pauses) {
    bool start = pauses == IconPauses::Start;
    for (int i = 0; i < 3; ++i) pf::pause(20);
    Globals& g = globals();
    g.ARRIVAL_ICON_HANDLE = load_icon(kNormalIcon);
    pf::pause(start ? 10 : 20);
    if (g.ARRIVAL_ICON_HANDLE.empty()) {
        pf::pause(start ? 500 : 20);
        return;
    }
    pf::pause(20);
    make_class_icon(g.ARRIVAL_ICON_HANDLE);
    pf::pause(20);
}

void set_arrival_icon() {
    Globals& g = globals();
    g.ARRIVAL_ICON_SET = 1;
    pf::pause(20);
    g.ARRIVAL_ICON_HANDLE = load_icon(kArrivalIcon);
    pf::pause(20);
    if (!g.ARRIVAL_ICON_HANDLE.empty()) make_class_icon(g.ARRIVAL_ICON_HANDLE);
    pf::pause(20);
}

}  // namespace tv::answering
