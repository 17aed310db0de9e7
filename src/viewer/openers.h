// Opening a mail of the main window's lists in the viewer, and keeping one of the two lists selected.
#pragma once

namespace tv::viewer {

void LIST3_CLICK();
void LIST1_CLICK();
void LIST3_DBLCLICK();
void LIST1_DBLCLICK();
void HIRAKU_ON();

}  // namespace tv::viewer
