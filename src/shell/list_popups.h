// Right-click popup menus, second half: the mouse-down handlers of the main, trash and folder
// windows select the row under the pointer and show the list's menu.
#pragma once

namespace tv::shell {

void MAINFORM_MOUSEDOWN();
void FORM8_MOUSEDOWN();
void FORM16_MOUSEDOWN();

}  // namespace tv::shell
