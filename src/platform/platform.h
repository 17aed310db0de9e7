// The current platform: which implementation of each service the program uses.
#pragma once

#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/services.h"

namespace tv::platform {

class FormsView;

struct Services {
    Clock* clock = nullptr;
    MessageBoxService* message_box = nullptr;
    ScriptHost* script_host = nullptr;
    WindowSystem* window_system = nullptr;
    SystemInfo* system = nullptr;
    SoundService* sound = nullptr;
    PopupMenuService* popup_menu = nullptr;  // null: every menu counts as dismissed
    FormsView* view = nullptr;  // may be null: the model alone
    // The program's own name, upper-cased for its single-instance lock ("TALVENOR").
    std::string program_name = "TALVENOR";
    // The window whose closing ends the program, asked when the desktop session ends.
    std::string main_form = "MAINFORM";
    // The mail component the script host starts (UTF-8 disk path).
    std::string component_path;
    // The input method of the focused window: open or closed, and full-width hiragana input.
    bool ime_open = false;
    bool ime_hiragana = false;
    // Runs just before the program ends (the view closes its windows).
    std::function<void()> on_program_end;
};

Services& services();

// Thrown to end the program; derived from nothing, so no handler of the program catches it.
struct ProgramEnd {};

[[noreturn]] void end_program();

// Shorthands for the services.
void pause(int ms);
DateTime now();
MsgAnswer message_box(const std::string& owner, const std::string& title, const std::string& text,
                      MsgButtons buttons, MsgIcon icon);
std::optional<std::string> show_popup(const PopupRequest& request);

}  // namespace tv::platform
