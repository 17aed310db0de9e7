// The trash window FORM8: opening it from the main window, its set-up, the user's close and its
// two lists.
#pragma once

namespace tv::folders {

// Loads (when it is not loaded), shows and focuses the trash window, the main window put away.
void open_trash_window(bool topmost);

void GOMINAKO_ON();
void BUTTON80_ON();
void FORM8_START();
void FORM8_QUERYCLOSE();
void LIST10_CLICK();
void LIST11_CLICK();
void LIST10_DBLCLICK();
void LIST11_DBLCLICK();

}  // namespace tv::folders
