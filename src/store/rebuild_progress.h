// The progress window FORM5 as the rebuilds draw it.
#pragma once

#include <string>

namespace tv::store {

enum class ProgressForm { FirstRun, DatabaseRebuild };

// Loads FORM5 when needed, shows it on top and draws its whole face for one store.
// `front_wait_line` is used by the first-run form only.
void SHOW_REBUILD_PROGRESS(ProgressForm form, const std::string& banner, const std::string& front_wait_line = {});
// Widens the bar after mail `position` of `count` (count >= 1).
void STEP_REBUILD_PROGRESS(int position, int count);
void CLOSE_REBUILD_PROGRESS();

// The bar's right edge after mail `position` of `count`.
int progress_bar_right(int position, int count);

}  // namespace tv::store
