// The Close item of a window's system menu, as the status window greys it while a mail is sent.
#pragma once

#include <string>

namespace tv::transfer {

inline constexpr int SC_CLOSE = 0xF060;

// The record shared with SETID: which window's menu, the item's state and its command ID.
struct CloseItemInfo {
    std::string window;    // SYSTEM_MENU_HANDLE: the window whose system menu is worked on
    bool greyed = false;   // fState has MFS_GRAYED
    int id = SC_CLOSE;     // wID
};
CloseItemInfo& CLOSE_ITEM_INFO();

// Moves a Close item that is not greyed away from SC_CLOSE to -10 (flag 1), or back; returns
// non-zero when the ID changed.
int SETID(int flag);

// What the status window's load does: SETID(1), then grey the item under its new ID.
void disable_close_item(const std::string& window);

}  // namespace tv::transfer
