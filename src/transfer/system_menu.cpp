#include "transfer/system_menu.h"

#include "platform/forms.h"

namespace tv::transfer {

namespace pf = tv::platform;

CloseItemInfo& CLOSE_ITEM_INFO() {
    static CloseItemInfo info;
    return info;
}

int SETID(int flag) {
    CloseItemInfo& info = CLOSE_ITEM_INFO();
    if (!pf::forms().is_loaded(info.window)) return 0;  // no such menu: the ID stays
    bool to_close = info.greyed ? flag == 1 : flag != 1;
    info.id = to_close ? SC_CLOSE : -10;
    return 1;
}

void disable_close_item(const std::string& window) {
    CloseItemInfo& info = CLOSE_ITEM_INFO();
    info = CloseItemInfo{window, false, SC_CLOSE};
    SETID(1);
    info.greyed = true;
    pf::Form& f = pf::form(window);
    f.close_box_enabled = false;
    f.changed();
}

}  // namespace tv::transfer
