// Right-click popup menus, first half: which registered list lies under a right click, and the
// window that then gets a mouse-down event to show that list's menu.
#pragma once

#include <string>

namespace tv::shell {

// The window that got the focus last, among the main, trash and folder windows.
void EXTFORM(const std::string& window);
void MAINFORM_SETFOCUS();
void FORM8_SETFOCUS();
void FORM16_SETFOCUS();

// The event loop's right-button test, with the main window as the frame window: when the last
// right press lies on a registered list of the window that has the focus, that list becomes the
// pending target and its window gets a right mouse-down at the point in its client pixels.
void EXTGETEVENT(const std::string& frame = "MAINFORM");

// True, once, when the pending right click is on this list of this window.
bool ISEXTEVENT(const std::string& window, const std::string& list);
// A window that cannot act on its pending right click (disabled or closed) lets go of it.
void drop_pending_target(const std::string& window);

}  // namespace tv::shell
