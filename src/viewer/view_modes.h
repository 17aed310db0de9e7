// The six views of the mail viewer: where each one's mail lies and which window it returns to.
#pragma once

#include <string>

namespace tv::viewer {

struct ViewMode {
    int mode;                   // VIEW_MODE
    bool received;              // a received mail, read through the parse script
    const char* return_window;  // the window the mail was opened from
};

// The view of a VIEW_MODE; nullptr outside 1-6.
const ViewMode* view_mode(int mode);

// The folder of the mail of a view: the box, the trash, or the user folder FOLDER_NO (1-4) for
// views 5 and 6. Empty when there is none (a FOLDER_NO outside 1-4, a mode outside 1-6), so that
// nothing is read from the root of the disk.
std::string view_mail_folder(int mode, int folder_no);

// The mail file of a view: the folder, "\" and the name; empty when there is no folder.
std::string view_mail_path(int mode, int folder_no, const std::string& file_name);

}  // namespace tv::viewer
