#include "folders/window_steps.h"

#include "common/sjis.h"
#include "platform/forms.h"
#include "store/folder_places.h"
#include "platform/platform.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

bool asked_yes(const std::string& owner, const std::string& title, const std::string& first_line) {
    return pf::message_box(owner, title, first_line + "\r\n" + "よろしいですか？    "_sj, pf::MsgButtons::YesNo,
                           pf::MsgIcon::Question) == pf::MsgAnswer::Yes;
}

std::string move_question(int folder_no) {
    return "選択したメールを「"_sj + store::display_name(store::folder_place(folder_no)) + "」に移動します。    "_sj;
}

void set_pointer(const std::string& form, pf::MousePointer pointer) {
    pf::Form& f = pf::form(form);
    f.pointer = pointer;
    f.changed();
}

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
