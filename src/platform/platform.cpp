#include "platform/platform.h"

#include "common/text_file.h"

namespace tv::platform {

Services& services() {
    static Services current;
    return current;
}

void end_program() {
    files::close_all_files();
    if (services().on_program_end) services().on_program_end();
    throw ProgramEnd{};
}

void pause(int ms) { services().clock->sleep_ms(ms); }

DateTime now() { return services().clock->now(); }

MsgAnswer message_box(const std::string& owner, const std::string& title, const std::string& text,
                      MsgButtons buttons, MsgIcon icon) {
    return services().message_box->show(MessageBoxRequest{owner, title, text, buttons, icon});
}

std::optional<std::string> show_popup(const PopupRequest& request) {
    if (!services().popup_menu) return std::nullopt;
    return services().popup_menu->show(request);
}

}  // namespace tv::platform
