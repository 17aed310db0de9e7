// Saving a stored mail, or an attachment, as a file the user chooses in the save dialog: the start
// folder (the last one used, else the Desktop), the checks of the chosen path, the remembered folder
// SYSTEM_F\BASYO_HO and the copy. The viewer's, the main window's, the trash's and the folders' saves
// all run these steps.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/services.h"
#include "store/folder_places.h"

namespace tv::store {

inline constexpr const char* kLastSaveFolder = "SYSTEM_F\\BASYO_HO";
// The longest start path (folder and proposed name) the save dialog takes.
inline constexpr std::size_t kMaxStartPath = 260;

extern const platform::FileFilter kEmlFilter;       // "emlﾌｧｲﾙ(*.eml)"
extern const platform::FileFilter kAllFilesFilter;  // "すべてのファイル(*.*)"

// The last line of SYSTEM_F\BASYO_HO when it is not blank, else the Desktop folder (may be empty).
std::string save_start_folder();
// The folder and the proposed name as the dialog starts with them; on the Desktop when that path
// would be longer than kMaxStartPath.
std::string join_start_path(std::string_view folder, std::string_view name);

// The default name of a mail's .eml file made from its subject: at most 40 bytes of it (a subject
// holding "SPAM" in any case is taken from 17 bytes after its first "]"), in full width, + ".eml".
std::string default_eml_name(std::string_view subject);

struct SaveDialog {
    std::string owner;       // the window of the action: owns the dialog and the messages
    std::string start_path;  // folder and proposed name
    platform::FileFilter filter;
    bool eml = false;        // ".eml" is added to a name that does not end in it
};

// Shows the save dialog until the user picks an acceptable path (a file name with at most one full
// stop and a name before it, ".eml" added where asked), or cancels, or picks a place inside the
// program folder or one of its stores, a store linked elsewhere included (refused with a message).
// The chosen folder is remembered. Nothing: no path.
std::optional<std::string> choose_save_path(const SaveDialog& dialog);

// Copies `from` over `to`; says so when `from` is missing (`missing_text`), when `to` is `from`
// itself (nothing is copied then) or when the copy fails. True when the file was copied.
bool copy_chosen_file(const std::string& from, const std::string& to, const std::string& owner,
                      const std::string& missing_text);

// The whole save of one stored mail as an .eml file: the name proposed from `subject`, the dialog,
// the copy of `mail_path`.
void save_mail_as_eml(const std::string& owner, const std::string& mail_path, std::string_view subject);

// The save of the selected mail of the received or sent list of a loaded trash or folder window
// (the place's store holds the mail): no selection is told; else VIEW_MODE is set (3 received, 4
// sent), MAIL_FILE_NAME to the row's listed name (blank: nothing more), VIEW_SUBJECT to the 54
// bytes of the row from `subject_byte`, trimmed, and the mail is saved as above.
void save_listed_mail(const FolderPlace& place, bool received, std::size_t subject_byte);

}  // namespace tv::store
