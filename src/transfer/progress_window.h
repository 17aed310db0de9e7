#pragma once

namespace tv::transfer {

// Defines FORM5, the borderless progress and splash window, and its handlers.
void define_progress_window();

}  // namespace tv::transfer
