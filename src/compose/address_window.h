// The window FORM10 in its two layouts: the destination picker of the compose window and the
// unsent-mail list of the main window. UNSENT_MODE chooses the layout at load.
#pragma once

#include <span>

#include "platform/forms.h"

namespace tv::compose {

void define_address_window();

// The picker's search mode, remembered between openings.
inline constexpr const char* kPickerSearchModeFile = "SYSTEM_F\\ATE_KENSAKU";

void FORM10_START();
// The user's close request; "閉じる" (BUTTON92) does the same.
void FORM10_QUERYCLOSE();
void BUTTON92_ON();
// A click on the window's background clears the selection of the list shown.
void FORM10_CLICK();

// A text on the window's background, white one pixel to the lower right and then black, mostly in
// a framed panel.
struct WindowLabel {
    const char* text;    // UTF-8 source text
    int x, y;
    int x1, y1, x2, y2;  // its panel; x1 < 0: none
    bool raised = false; // a panel lit from the top left; the others are sunken
    bool italic = false;
};
void draw_labels(platform::Form& f, std::span<const WindowLabel> labels);

// Each layout's part of the load.
void show_picker_layout();
void show_unsent_layout();

}  // namespace tv::compose
