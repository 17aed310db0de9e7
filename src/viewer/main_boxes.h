// The two lists of the main window as the viewer's actions use them: the receive box LIST3 and the
// send box LIST1, with their hidden file lists.
#pragma once

#include <string>

#include "platform/forms.h"

namespace tv::viewer {

// Their folders are those of the view modes (view_mail_folder).
struct MainBox {
    int view_mode;          // VIEW_MODE of its mails
    bool received;
    const char* file_list;  // LIST2 or LIST5: item i names the mail of row i
};

inline constexpr MainBox kReceiveBox{1, true, "LIST2"};
inline constexpr MainBox kSendBox{2, false, "LIST5"};

// LIST3 or LIST1.
platform::Control& box_list(const MainBox& box);
// The trimmed file name of a row; empty outside the file list.
std::string box_file_name(const MainBox& box, int row);

}  // namespace tv::viewer
