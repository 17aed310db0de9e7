// Moving the selected mail of the trash or folder window into a folder or into the trash.
#pragma once

#include <vector>

#include "platform/events.h"

namespace tv::folders {

// JOB_IDOU_JUSIN, PRIV_IDOU_JUSIN, HOBB_IDOU_JUSIN, ANOTH_IDOU_JUSIN and their *_SOUSIN twins (the
// selected mail of the window that shows FOLDER_NO into a folder), GOMIBAKO_IDOU_JU and
// GOMIBAKO_IDOU_SOU (the selected mail of the folder window into the trash). Each asks first; the
// list then selects the mail that followed and shows its last page.
std::vector<platform::NamedHandler> window_move_handlers();

}  // namespace tv::folders
