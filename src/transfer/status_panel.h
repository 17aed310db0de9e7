// The status panel at the foot of the main window: the right-click hint or a transfer's status line.
#pragma once

#include <string>

namespace tv::transfer {

// Fills and frames the empty panel.
void clear_status_panel();
// The panel with a text: the white copy at (26, 684) and the grey one at (25, 683), or with
// `grey_below` the white at (25, 683) and the grey at (26, 684).
void draw_status_panel(const std::string& text, bool grey_below = false);
// The panel with the right-click hint, as the main window shows it when no transfer reports.
void draw_hint_panel();
// A status line: the message, " *** ", the date as yy/mm/dd, "(", the time and ") ***".
std::string status_text(const std::string& message);

}  // namespace tv::transfer
