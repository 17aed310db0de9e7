#include "folders/window_steps.h"

#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::folders {

namespace pf = tv::platform;

void put_main_window_away() {
    pf::Form& main = pf::form("MAINFORM");
    main.set_enabled(false);
    main.hide();
}

void bring_compose_window_back() {
    if (!pf::forms().is_loaded("FORM9")) return;
    pf::form("MAINFORM").set_topmost(false);
    pf::Form& compose = pf::form("FORM9");
    compose.show();
    compose.bring_to_front();
}

void back_to_main_window(int pause_ms) {
    pf::Form& main = pf::form("MAINFORM");
    main.show();
    main.set_enabled(true);
    main.bring_to_front();
    pf::pause(pause_ms);
    bring_compose_window_back();
}

pf::NamedHandler window_input(const char* form, std::string name, std::function<void()> handler) {
    return {std::move(name), [form, handler = std::move(handler)] {
                const pf::Form& f = pf::form(form);
                if (f.loaded && f.enabled) handler();
            }};
}

}  // namespace tv::folders
