// The mail viewer FORM3: one window for all six views, loaded into the child-window slot.
#pragma once

namespace tv::viewer {

void define_viewer_window();

void FORM3_START();
void FORM3_QUERYCLOSE();
void FORM3_RESIZE();
void RADIO9_ON();
void RADIO10_ON();
void RADIO11_ON();

// Loads the viewer into the child-window slot for the mail that VIEW_MODE and MAIL_FILE_NAME name.
// A slot already taken refuses (false) and changes nothing. With `disable_first` the main window is
// disabled (and 20 ms pass) before the load, else after it; a load that fails otherwise gives the
// main window back and says so.
bool open_viewer(bool disable_first);

// The steps of the viewer's close for a viewer of `mode` that code has already unloaded: the window
// the mail came from is restored, shown and enabled; then, when the main window is visible, the
// compose window (after `compose_pause_ms`) is shown again.
void return_from_viewer(int mode, int compose_pause_ms);

}  // namespace tv::viewer
