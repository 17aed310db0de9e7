#pragma once

namespace tv::shell {

// Defines MAINFORM: its controls at their places, its hidden work lists, timers and menu bar.
void define_main_form();

}  // namespace tv::shell
