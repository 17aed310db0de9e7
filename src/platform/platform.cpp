#include "platform/platform.h"

#include "common/errors.h"
#include "common/text_file.h"
#include "platform/input.h"

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

void inform(const std::string& owner, const std::string& title, const std::string& text) {
    message_box(owner, title, text, MsgButtons::Ok, MsgIcon::Information);
}

bool confirm(const std::string& owner, const std::string& title, const std::string& text) {
    return message_box(owner, title, text, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
}

std::optional<std::string> show_popup(const PopupRequest& request) {
    if (!services().popup_menu) return std::nullopt;
    return services().popup_menu->show(request);
}

void beep() {
    if (auto* sound = services().sound) sound->beep();
}

std::string input_box(const InputBoxRequest& request) {
    if (auto* dialogs = services().dialogs) return dialogs->input_box(request);
    return "\x1b";
}

DialogAnswer open_file_dialog(const FileDialogRequest& request) {
    if (auto* dialogs = services().dialogs) return dialogs->open_file(request);
    return {};
}

DialogAnswer save_file_dialog(const FileDialogRequest& request) {
    if (auto* dialogs = services().dialogs) return dialogs->save_file(request);
    return {};
}

DialogAnswer browse_folder(const std::string& owner) {
    if (auto* dialogs = services().dialogs) return dialogs->browse_folder(owner);
    return {};
}

void shell_open_document(const std::string& path) {
    if (auto* shell = services().shell) return shell->open_document(path);
    raise_error(err::kBadName, "no program opens " + path);
}

void shell_open_document_as(const std::string& path, const std::string& mime_type) {
    if (auto* shell = services().shell) return shell->open_document_as(path, mime_type);
    raise_error(err::kBadName, "no program opens " + path);
}

void shell_open_address(const std::string& address) {
    if (auto* shell = services().shell) return shell->open_address(address);
    raise_error(err::kBadName, "no program opens " + address);
}

std::optional<std::string> clipboard_text() {
    if (auto* clipboard = services().clipboard) return clipboard->text();
    return std::string();
}

void clear_clipboard() {
    if (auto* clipboard = services().clipboard) clipboard->clear();
}

bool escape_key_pressed() {
    if (auto* windows = services().window_system) windows->dispatch_pending_messages();
    return input::take_escape_press();
}

void forget_escape_presses() { escape_key_pressed(); }

}  // namespace tv::platform
