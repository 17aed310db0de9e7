#pragma once

namespace tv::transfer {

// Defines FORM5, the borderless progress and splash window, and its handlers.
void define_progress_window();

// Unloads the progress window FORM5 and the status window FORM6 where loaded, each with the arrow
// pointer first.
void close_progress_windows();

}  // namespace tv::transfer
