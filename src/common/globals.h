// The program's shared state, under the names the whole system uses. One instance lives for the
// run; tests start each case from a fresh one.
#pragma once

#include <string>
#include <vector>

namespace tv {

// The version shown after "タルベノールメーラー Ver." in titles.
inline const std::string VERSION_TEXT = "2.12";

// "タルベノールメーラー Ver." and the version: the caption and message title the windows share.
const std::string& program_caption();

// The list of a pending right click; empty when none is pending.
struct ExtTarget {
    std::string window;
    std::string list;
    bool operator==(const ExtTarget&) const = default;
};

struct Globals {
    // Transfers and modes.
    int MANUAL_TRANSFER = 0;       // 1 while a send or receive started by the user runs
    int ANSWER_CHECK_RUNNING = 0;  // 1 while one answering check runs
    int COMPOSING = 0;             // 1 while the compose window is open
    int VIEW_MODE = 0;             // which list the viewed mail comes from (1..6)
    int FOLDER_NO = 0;             // 0 trash, 1 JOB, 2 PRIVATE, 3 HOBBY, 4 ANOTHER
    std::string KEEP_ON_SERVER = "0";

    // Transfers.
    std::string SEND_TO_TEXT;
    bool TRANSFER_RUNNING = false;   // a receive or send runs: a second one may not start inside it
    // The first lines (first 300 bytes, trimmed) of the mails in the box before the last receive
    // that kept mail on the server.
    std::vector<std::string> FIRST_LINES;

    // Main window.
    int MAINFORM_START_COUNT = 0;
    int MAINFORM_RERUN = 0;
    int DELETE_BOX = 0;   // 1 receive list, 2 send list
    int DELETE_ROW = 0;   // the row, 0-based
    int UNREAD_CLEAR_ROW = 0;
    std::string MENU_BAR_HEIGHT_TEXT;

    // Windows open.
    int TRASH_WINDOW_OPEN = 0;
    int FOLDER_WINDOW_OPEN = 0;

    // Trash and folders.
    int MOVE_SOURCE = 0;  // 1 receive list, 2 send list: the list a move to a folder takes from
    int MOVE_ROW = 0;     // the row, 0-based
    std::string TRASH_NO_DELETE_CONFIRM = "0";   // "1": one trash mail is deleted without asking
    std::string FOLDER_NO_DELETE_CONFIRM = "0";  // the same for the folders

    // The mail a trash or folder window hands to the viewer and the other windows (and
    // MAIL_FILE_NAME below).
    std::string SUBWIN_MAIL_FILE;
    int TRASH_RECV_VIEW_ROW = -1;
    int TRASH_SENT_VIEW_ROW = -1;

    // Option flags.
    std::string EMPTY_TRASH_AT_EXIT = "0";
    std::string NO_TRASH_CONFIRM = "0";
    std::string ARRIVAL_SOUND = "0";
    std::string OS_GENERATION = "2";

    // Answering mode.
    int CHECK_INTERVAL = 600;
    int ANSWER_TICKS = 0;
    int FORWARD_SWITCH_CLICKS = 2;
    std::string FORWARD_STOPPED = "1";
    int REPLY_SWITCH_CLICKS = 2;
    std::string REPLY_STOPPED = "1";
    int REPLY_TEXT_SAVING = 0;
    // The switch states as the settings window found them at its load, put back by its cancel.
    int FORWARD_SWITCH_SAVED = 2;
    int REPLY_SWITCH_SAVED = 2;
    std::string FORWARD_STOPPED_SAVED = "1";
    std::string REPLY_STOPPED_SAVED = "1";
    std::string FORWARD_ADDRESS;
    std::string FORWARD_SPAM_FILTER = "0";
    std::string REPLY_TEXT_FILE;
    std::string REPLY_ONLY_SPECIFIC = "0";
    std::string FORWARD_ONLY_SPECIFIC = "0";
    std::string FORWARD_ATTACHMENTS = "0";
    std::string REPLY_SPAM_FILTER = "0";
    std::string REJECT_ALLOW_FORWARD = "0";
    std::string REJECT_ALLOW_REPLY = "0";
    std::string ARRIVAL_ICON_HANDLE;  // the icon file last loaded for the main window, empty: none

    // Address books.
    std::string MAIL_FILE_NAME;       // the file name of the mail last selected for an action
    int SENDER_BOOK_KIND = 1;         // the book FORM14 edits: 2 priority-reject, else specific-sender
    std::string ADDRESS_SEARCH_MODE = "0";  // the address book's search: 0 as typed, 1 case-blind

    // Right-click popup menus.
    std::string FOCUS_HWND;      // the main, trash or folder window that had the focus last
    ExtTarget EXT_TARGET_HWND;
    int REG_API_RESULT = 0;

    // Set by the start-up sequence.
    long HINT_TICKS = 0;
    int ARRIVAL_ICON_SET = 0;
    int AWAY_MAIL_ARRIVED = 0;
    long REPLY_LOG_SWEEP_TICKS = 0;
    int REPLY_FROM_TRASH = 0;
    int REPLY_FROM_FOLDER = 0;

    // The mail viewer and the windows that open it.
    int VIEW_RECV_ROW = -1;        // LIST3 row of the box mail shown in the viewer, else -1
    int VIEW_SENT_ROW = -1;        // LIST1 row of it, else -1
    std::string DETAIL_ROW_TEXT;   // list row of the mail in the source window (its caption)
    std::string VIEW_SUBJECT;      // what the shown mail's view publishes for saving and printing
    std::string VIEW_DATE;
    std::string VIEW_TO;
    std::string PRINT_FONT_SIZE = "8";  // the print-font field as read from SYSTEM_F\INS_FON
    // The body lines handed to the HTML conversion (elements 1 to QUOTE_LINE_COUNT) and its result.
    // QUOTE_LINE_COUNT is also the replies' count of quoted lines.
    std::vector<std::string> HTML_LINES = std::vector<std::string>(10001);
    int QUOTE_LINE_COUNT = 0;
    std::string HTML_TEXT;

    // Compose window: the hand-over flags and the ticks of its timer; the unsent mail it edits.
    int ATESAKI_PENDING = 0;     // SYSTEM_F\ATESAKI.txt holds a recipient not yet taken
    int HENSIN_PENDING = 0;      // SYSTEM_F\HENSIN.txt holds a reply draft not yet taken
    int COMPOSE_TICKS = 0;       // TIMER2 ticks since the last draft was handed over (1, 2, stays 2)
    int UNSENT_MODE = 0;         // 1 while the unsent-mail list or a mail reopened from it is open
    std::string UNSENT_FILE_NAME;    // the reopened mail's name in SYSTEM_F\BADSOU
    std::string PICKER_SEARCH_MODE;  // the destination picker's search mode ("0" or "1")
};

Globals& globals();
void reset_globals();

}  // namespace tv
