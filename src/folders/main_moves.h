// Moving the selected mail of the main window's receive or send list into the trash or a folder.
#pragma once

#include <vector>

#include "platform/events.h"

namespace tv::folders {

// Moves one mail into the trash without asking: row DELETE_ROW of the receive list LIST3
// (DELETE_BOX 1: mail file, summary record and list row) or of the send list LIST1 (DELETE_BOX 2:
// the sent file). Afterwards the row at the same place, the mail that followed, is selected and
// both counts are redrawn. A mail that cannot be copied stays where it was, with a message; no
// error leaves it.
void SAKUJO();

// The two "ごみ箱へ移動" buttons, for the selected row of LIST3 and of LIST1: they check the
// selection (and for received mail the keep-on-server rule), ask unless the user switched the
// question off, and call SAKUJO.
void BUTTON11_ON();
void BUTTON12_ON();

// The same move into the folder FOLDER_NO (1-4), of row MOVE_ROW of LIST3 (MOVE_SOURCE 1) or LIST1
// (MOVE_SOURCE 2).
void IDOU();

// BUTTON62_ON to BUTTON69_ON, run from the main lists' popup menus: the even ones move the selected
// received mail into JOB, PRIVATE, HOBBY and ANOTHER, the odd ones the selected sent mail; they
// always ask.
std::vector<platform::NamedHandler> folder_move_handlers();

}  // namespace tv::folders
