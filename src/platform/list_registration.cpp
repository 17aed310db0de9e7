#include "platform/list_registration.h"

#include <algorithm>

#include "platform/forms.h"

namespace tv::platform {

ExtTable& EXT_TABLE() {
    static ExtTable table;
    return table;
}

void EXTATTACH(const std::string& window, const std::string& list) {
    Form& f = form(window);
    if (!f.loaded || !f.has(list)) return;
    const Control& l = f.control(list);
    ExtSlot entry{window, list, l.x + f.frame_width, l.y + f.frame_height, l.x + l.width + f.frame_width,
                  l.y + l.height + f.frame_height};
    ExtTable& table = EXT_TABLE();
    auto slot_at = [&](int i) -> ExtSlot& { return table.slots[static_cast<std::size_t>(i)]; };
    // Slots of windows that have closed since are free again, so that opening a window many
    // times never fills the table.
    for (int i = 0; i < table.used; ++i) {
        if (!slot_at(i).window.empty() && !forms().is_loaded(slot_at(i).window)) slot_at(i) = ExtSlot{};
    }
    int at = -1;
    for (int i = 0; i < table.used && at < 0; ++i) {
        if (slot_at(i).window == window && slot_at(i).list == list) at = i;
    }
    for (int i = 0; i < static_cast<int>(table.slots.size()) && at < 0; ++i) {
        if (slot_at(i).window.empty()) at = i;
    }
    if (at < 0) return;
    slot_at(at) = entry;
    table.used = std::max(table.used, at + 1);
}

}  // namespace tv::platform
