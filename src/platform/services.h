// The services our stand-in for the desktop platform offers the program. Each is an interface with
// a headless implementation (tests, benchmarks) and a Qt one (people).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace tv::platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

struct MessageBoxRequest {
    std::string owner;  // form name, empty for none
    std::string title;  // CP932
    std::string text;   // CP932
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
};

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Modal: window messages are dispatched while it is shown, queued events do not run.
    virtual MsgAnswer show(const MessageBoxRequest& request) = 0;
};

// Starts a script by its file name in the program folder and waits for its process to end,
// dispatching window messages meanwhile (never running a queued event). A script that cannot be
// started raises a runtime error.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    virtual void run_and_wait(const std::string& script_name) = 0;
};

// Window messages: painting, input that becomes queued events, close requests.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Dispatches one waiting window message; false when none was waiting.
    virtual bool dispatch_one_message() = 0;
    // Dispatches what is waiting now (used while a script or a box is waited for).
    virtual void dispatch_pending_messages() = 0;
    // Blocks until `fd` can be read or `timeout_ms` has passed, dispatching window messages as they
    // come (never running a queued event); true when `fd` became readable.
    virtual bool wait_readable(int fd, int timeout_ms) = 0;
};

// What the program asks of the system it runs on.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // Takes the single-instance lock of `name` for the life of the process; false when another
    // running instance holds it.
    virtual bool acquire_instance_lock(const std::string& name) = 0;
    // Height of a one-line menu bar in pixels.
    virtual int menu_bar_height() = 0;
    // The user's Desktop folder (UTF-8 disk path), empty when there is none.
    virtual std::string desktop_folder() = 0;
    // Whether an executable file `path` (UTF-8 disk path) exists.
    virtual bool executable_exists(const std::string& path) = 0;
};

// One item of a popup menu: the caption shown and the name returned when it is chosen.
struct PopupItem {
    std::string name;
    std::string caption;  // CP932
    bool greyed = false;  // shown but cannot be chosen
};

struct PopupRequest {
    std::string owner;  // the form it is shown for
    std::string popup;  // the popup's name, e.g. "DUMMY2"
    std::vector<PopupItem> items;  // each stands after a separator line
    int x = 0, y = 0;   // the menu's top-left corner in the owner's client pixels
};

// Shows a popup menu and waits for the user: window messages are dispatched meanwhile, queued
// events do not run. Returns the chosen item's name, nothing when the menu was dismissed.
class PopupMenuService {
public:
    virtual ~PopupMenuService() = default;
    virtual std::optional<std::string> show(const PopupRequest& request) = 0;
};

// Plays a sound file and returns when it has ended; a missing or unplayable file plays nothing.
class SoundService {
public:
    virtual ~SoundService() = default;
    virtual void play_and_wait(const std::string& disk_path) = 0;
};

}  // namespace tv::platform
