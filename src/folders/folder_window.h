// The folder window FORM16: opening it on a folder from the main window's Folder menu, its set-up
// for FOLDER_NO and the user's close.
#pragma once

#include <vector>

#include "platform/events.h"

namespace tv::folders {

void FORM16_START();
void FORM16_QUERYCLOSE();

// JOB_F_ON, PRIVATE_F_ON, HOBBY_F_ON and ANOTHER_F_ON: the folder window on folder 1 to 4.
std::vector<platform::NamedHandler> folder_menu_handlers();

}  // namespace tv::folders
