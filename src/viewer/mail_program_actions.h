// Opening the selected mail of the main window's lists in the desktop's mail program.
#pragma once

namespace tv::viewer {

void BUTTON24_ON();
void BUTTON25_ON();
void WIN_OPEN_ON();

}  // namespace tv::viewer
