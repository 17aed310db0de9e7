// The main window's face, the splash and the single-instance rule.
#pragma once

namespace tv::shell {

void draw_main_face();
// Ends the program when another instance of the program runs.
void single_instance_test();
// Lists, start values and caption of the main window.
void prepare_main_window();
void show_splash();

}  // namespace tv::shell
