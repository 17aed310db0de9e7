// The buttons that take the user between the folder window, the trash window and the main
// window. Each saves the received list of the window it leaves into that list's cache.
#pragma once

#include <vector>

#include "platform/events.h"

namespace tv::folders {

// BUTTON75_ON-BUTTON78_ON (the folder window on another folder), BUTTON81_ON (folder to trash),
// BUTTON82_ON (folder to main), BUTTON83_ON-BUTTON86_ON (trash to a folder), BUTTON87_ON (trash to
// main), each dropped while its window is disabled.
std::vector<platform::NamedHandler> window_switching_handlers();

}  // namespace tv::folders
