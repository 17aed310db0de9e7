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
    DialogService* dialogs = nullptr;        // null: every dialog counts as cancelled
    PrinterService* printer = nullptr;       // null: the print dialog fails
    ShellService* shell = nullptr;           // null: nothing can be opened (error 55)
    ClipboardService* clipboard = nullptr;   // null: an empty clipboard
    FormsView* view = nullptr;  // may be null: the model alone
    // The window whose closing ends the program, asked when the desktop session ends.
    std::string main_form = "MAINFORM";
    // The mail component the script host starts (UTF-8 disk path).
    std::string component_path;
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
// An OK box with the information icon: what every window tells its user.
void inform(const std::string& owner, const std::string& title, const std::string& text);
// A Yes/No box with the question icon: true for Yes.
bool confirm(const std::string& owner, const std::string& title, const std::string& text);
std::optional<std::string> show_popup(const PopupRequest& request);
void beep();

// Dialogs (see DialogService); without a dialog service each counts as cancelled.
std::string input_box(const InputBoxRequest& request);
DialogAnswer open_file_dialog(const FileDialogRequest& request);
DialogAnswer save_file_dialog(const FileDialogRequest& request);
DialogAnswer browse_folder(const std::string& owner);

// Opens a document or an address with the desktop's program (see ShellService).
void shell_open_document(const std::string& path);
void shell_open_document_as(const std::string& path, const std::string& mime_type);
void shell_open_address(const std::string& address);

std::optional<std::string> clipboard_text();
void clear_clipboard();

// Whether the Esc key went down on one of our windows since the last read: window messages are
// dispatched first, so a press that waits in them counts.
bool escape_key_pressed();
// Forgets the Esc presses made so far (messages waiting included): a job that reads the key from
// now on stops only for a press made while it runs.
void forget_escape_presses();

}  // namespace tv::platform
