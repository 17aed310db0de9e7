// The one way the program ends normally: closing the main window or the File menu's exit item.
#pragma once

namespace tv::shell {

// The main window's close request. Refused while the window is disabled (a long operation runs),
// unless the desktop session is ending, and when the user answers No.
void MAINFORM_QUERYCLOSE();
// The File menu's "終　了"; returns only after a No.
void SYUURYOU_ON();

}  // namespace tv::shell
