// The lists registered for right-click popup menus: each a list of a window with its test
// rectangle. The windows that show mail lists register them when they load; the event loop's
// right-button test reads the table.
#pragma once

#include <array>
#include <string>

namespace tv::platform {

// One slot: a list of a window and its test rectangle (the list's place shifted by the window's
// frame at registration). An empty window marks a free slot.
struct ExtSlot {
    std::string window;
    std::string list;
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct ExtTable {
    std::array<ExtSlot, 128> slots{};
    int used = 0;  // slots from 0 up to here have ever been used
};

// The registration table of the run.
ExtTable& EXT_TABLE();

// Registers a list of a loaded window, with its place as the window has it now. A list registered
// before takes its old slot again; slots of closed windows are free again. A full table registers
// nothing.
void EXTATTACH(const std::string& window, const std::string& list);

}  // namespace tv::platform
