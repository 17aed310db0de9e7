#include "shell/list_popups.h"

#include <string>

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "shell/popup_menus.h"
#include "shell/popup_row.h"
#include "shell/right_click.h"

namespace tv::shell {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// The box a window shows, as an item's destination counts it: its own move item is greyed.
int shown_box(PopupWindow kind) {
    switch (kind) {
        case PopupWindow::Trash: return 0;
        case PopupWindow::Folder: {
            int folder = globals().FOLDER_NO;
            return folder >= 1 && folder <= 4 ? folder : -2;
        }
        case PopupWindow::Main: break;
    }
    return -2;
}

bool greyed(const PopupMenuItem& item, PopupWindow kind) {
    return item.destination == shown_box(kind) || *item_procedure(item, kind) == '\0';
}

pf::PopupRequest popup_request(const ListPopup& p, int x, int y) {
    pf::PopupRequest request{p.window, p.menu->popup, {}, x, y};
    for (const PopupMenuItem& item : p.menu->items) {
        request.items.push_back(pf::PopupItem{item.name, sj(item.caption), greyed(item, p.kind)});
    }
    return request;
}

// Selects the row under the pointer (clearing the other list's selection) and runs the item
// chosen from the list's menu over it.
void list_popup(const ListPopup& p, int x, int y) {
    pf::Form& window = pf::form(p.window);
    pf::Control& list = window.control(p.list);
    pf::Control& other = window.control(p.other);
    int count = list.count();
    int row = row_under_pointer(row_bands(list, p.divisor), count, list.top_index(), y);
    if (row > count) return;
    list.select(row - 1);
    if (other.count() > 0) other.select(-1);
    if (row == 0) return;
    pf::pause(20);
    if (globals().COMPOSING > 0) {
        pf::inform(p.window, "メール作成中"_sj, "メールの作成中はポップアップメニューは使用できません。"_sj);
        return;
    }
    std::optional<std::string> chosen = pf::show_popup(popup_request(p, x, y));
    if (!chosen) return;
    for (const PopupMenuItem& item : p.menu->items) {
        if (*chosen != item.name || greyed(item, p.kind)) continue;
        pf::handlers().run(item_procedure(item, p.kind));
        return;
    }
}

void window_mouse_down(const std::string& window, int y_correction) {
    const pf::Form& f = pf::form(window);
    if (!f.loaded || !f.enabled) {
        drop_pending_target(window);
        return;
    }
    const pf::input::MouseState& mouse = pf::input::last_mouse_down();
    for (const ListPopup& p : list_popups()) {
        if (window != p.window || !ISEXTEVENT(window, p.list)) continue;
        list_popup(p, mouse.x, mouse.y + y_correction);
        return;
    }
}

// The trash and folder windows have no menu bar, but their point was sent in the main window's
// client pixels, which begin below its menu bar.
int menu_bar_correction() { return static_cast<int>(numeric_value(globals().MENU_BAR_HEIGHT_TEXT)) + 1; }

}  // namespace

void MAINFORM_MOUSEDOWN() {
    pf::Form& main = pf::form("MAINFORM");
    pf::input::focus(main);
    window_mouse_down("MAINFORM", 0);
}

void FORM8_MOUSEDOWN() { window_mouse_down("FORM8", menu_bar_correction()); }

void FORM16_MOUSEDOWN() { window_mouse_down("FORM16", menu_bar_correction()); }

}  // namespace tv::shell
