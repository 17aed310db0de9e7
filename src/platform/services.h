// The services our stand-in for the desktop platform offers the program. Each is an interface with
// a headless implementation (tests, benchmarks) and a Qt one (people).
#pragma once

#include <cstddef>
#include <filesystem>
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

// The single-instance lock: taken, held by another running instance, or not to be had at all.
enum class InstanceLock { Taken, HeldByAnother, Failed };

// What the program asks of the system it runs on.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // Takes the single-instance lock of the program folder `folder` (a disk path) for the life of
    // the process: one instance per folder, and instances of other folders side by side.
    virtual InstanceLock acquire_instance_lock(const std::filesystem::path& folder) = 0;
    // Height of a one-line menu bar in pixels.
    virtual int menu_bar_height() = 0;
    // The user's Desktop folder (UTF-8 disk path); the home folder where there is none (the
    // desktop keeps its files there then); empty without a home folder.
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
// The beep is the desktop's default sound.
class SoundService {
public:
    virtual ~SoundService() = default;
    virtual void play_and_wait(const std::string& disk_path) = 0;
    virtual void beep() = 0;
};

// The dialogs. Each is owned by a window, modal for it: window messages are dispatched while it is
// shown, queued events do not run (timer ticks are still counted and run later). A dialog that
// cannot be shown answers as cancelled. Paths cross in the program's form: CP932, "/" between the
// parts of an absolute path; "\" is taken as "/" in a start path.

struct InputBoxRequest {
    std::string owner;
    std::string title;   // CP932
    std::string prompt;  // CP932
    std::string text;    // the text the box starts with
    std::size_t max_bytes = 0;  // the edit's limit in CP932 bytes, 0: none
};

struct FileFilter {
    std::string caption;  // CP932, e.g. "すべてのファイル(*.*)"
    std::string pattern;  // e.g. "*.*"; several patterns separated by ";"
};

struct FileDialogRequest {
    std::string owner;
    std::string title;  // CP932
    // Open: the folder to start in. Save: the folder and the proposed name. Empty: the desktop
    // decides. A folder that does not exist is left to the desktop too.
    std::string start;
    std::vector<FileFilter> filters;
};

struct DialogAnswer {
    enum class Outcome { Chosen, Cancelled, NotCp932 };
    Outcome outcome = Outcome::Cancelled;
    std::string path;  // Chosen: CP932; NotCp932: the chosen path as UTF-8, for the caller's message
    bool chosen() const { return outcome == Outcome::Chosen; }
};

class DialogService {
public:
    virtual ~DialogService() = default;
    // The typed text (within the limit), or the Escape character (code 27) alone when cancelled.
    // A typed text CP932 cannot hold is refused in the box, with a beep.
    virtual std::string input_box(const InputBoxRequest& request) = 0;
    // An existing file; the process's current folder is left as it is.
    virtual DialogAnswer open_file(const FileDialogRequest& request) = 0;
    // The dialog asks before an existing file is replaced; no extension is added to the name.
    virtual DialogAnswer save_file(const FileDialogRequest& request) = 0;
    // A folder, without a separator at its end.
    virtual DialogAnswer browse_folder(const std::string& owner) = 0;
};

// Printing on the desktop's printers: black text in rows one font height apart from the top-left
// corner of the printable area, on the paper chosen in the print dialog (A4 portrait preset).
enum class PrintChoice { Print, Cancelled, Failed };

// What a page holds at the current font: half-width characters in a row (a full-width character
// takes two) and rows on the page. 0 where it is not known.
struct PageRoom {
    int columns = 0;
    int rows = 0;
};

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // The print dialog on the default printer, preset to A4 portrait, offering no selection range
    // and no print-to-file; the paper and orientation chosen there are the pages printed. Failed:
    // no dialog could be shown (no printer); then what follows prints nothing.
    virtual PrintChoice choose(const std::string& owner) = 0;
    // Starts the document and its first page; false when nothing will be printed.
    virtual bool start_document(const std::string& name) = 0;
    virtual void set_font(const std::string& face, double points) = 0;  // face in CP932
    virtual PageRoom room() = 0;
    // One row at the next row's place. An LF in the text goes on in the next row from where the
    // text before it ended; a text wider than the page is cut at the printable area's right edge.
    virtual void print_row(const std::string& text) = 0;
    virtual void new_page() = 0;
    virtual void end_document() = 0;
};

// Opens documents and addresses with the desktop's program for them, without waiting for it.
class ShellService {
public:
    virtual ~ShellService() = default;
    // A file (a system path, relative to the program folder or absolute). A missing file raises
    // runtime error 63, a file no program opens raises 55.
    virtual void open_document(const std::string& path) = 0;
    // The same with the program the desktop names for the MIME type (e.g. "message/rfc822"),
    // whatever the file's content looks like; 55 when the desktop names none.
    virtual void open_document_as(const std::string& path, const std::string& mime_type) = 0;
    // A web address (CP932), handed over as it stands; nothing is reported.
    virtual void open_address(const std::string& address) = 0;
};

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    // The clipboard's text: empty when it holds none, nothing when CP932 cannot hold it.
    virtual std::optional<std::string> text() = 0;
    virtual void clear() = 0;
};

}  // namespace tv::platform
