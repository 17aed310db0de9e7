#include "folders/window_steps.h"

#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"

namespace tv::folders {

namespace pf = tv::platform;

void show_window(const std::string& form) {
    pf::Form& f = pf::form(form);
    f.visible = true;
    f.changed();
}

void hide_window(const std::string& form) {
    pf::Form& f = pf::form(form);
    f.visible = false;
    f.changed();
}

void enable_window(const std::string& form, bool enabled) {
    pf::Form& f = pf::form(form);
    f.enabled = enabled;
    f.changed();
}

void resize_window(const std::string& form, int width, int height) {
    pf::Form& f = pf::form(form);
    f.width = width;
    f.height = height;
    f.changed();
    pf::event_queue().post(form + "_RESIZE");
}

void focus_window(const std::string& form) { pf::input::activate(pf::form(form)); }

void put_main_window_away() {
    enable_window("MAINFORM", false);
    hide_window("MAINFORM");
}

void bring_compose_window_back() {
    if (!pf::forms().is_loaded("FORM9")) return;
    pf::Form& main = pf::form("MAINFORM");
    main.topmost = false;
    main.changed();
    show_window("FORM9");
    focus_window("FORM9");
}

void back_to_main_window(int pause_ms) {
    show_window("MAINFORM");
    enable_window("MAINFORM", true);
    focus_window("MAINFORM");
    pf::pause(pause_ms);
    bring_compose_window_back();
}

pf::NamedHandler window_input(const char* form, const char* name, void (*handler)()) {
    return {name, [form, handler] {
                const pf::Form& f = pf::form(form);
                if (f.loaded && f.enabled) handler();
            }};
}

}  // namespace tv::folders
