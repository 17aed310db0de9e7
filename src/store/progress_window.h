// FORM5, the borderless progress and splash window: the start-up splash, the rebuilds, the list
// repairs and the receive draw on it.
#pragma once

namespace tv::store {

// Defines FORM5.
void define_progress_window();
void FORM5_START();
void FORM5_RESIZE();

// Unloads FORM5 where it is loaded.
void close_progress_window();

}  // namespace tv::store
