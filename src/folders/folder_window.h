// The folder window FORM16: opening it on a folder from the main window's Folder menu, its set-up
// for FOLDER_NO and the user's close.
#pragma once

#include <vector>

#include "platform/events.h"

namespace tv::folders {

// Shows the folder window on folder `folder_no`: loaded and set up, or set up again when it is
// loaded; the main window put away.
void open_folder_window(int folder_no);

void FORM16_START();
void LIST27_CLICK();
void LIST28_CLICK();
void LIST27_DBLCLICK();
void LIST28_DBLCLICK();
void FORM16_QUERYCLOSE();

// JOB_F_ON, PRIVATE_F_ON, HOBBY_F_ON and ANOTHER_F_ON: the folder window on folder 1 to 4.
std::vector<platform::NamedHandler> folder_menu_handlers();

}  // namespace tv::folders
