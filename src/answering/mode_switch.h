// Starting the answering mode (the start button) and stopping it (restoring the minimised main
// window from the taskbar). Off: TIMER3 stopped; waiting: TIMER3 running, the main window
// minimised; checking: TIMER3 stopped, ANSWER_CHECK_RUNNING 1.
#pragma once

namespace tv::answering {

void BUTTON30_ON();
void MAINFORM_RESIZE();

}  // namespace tv::answering
