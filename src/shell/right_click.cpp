#include "shell/right_click.h"

#include "common/globals.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/list_registration.h"
#include "platform/platform.h"

namespace tv::shell {

namespace pf = tv::platform;

namespace {

// Windows whose popups the right button serves; a visible one that is not active stops the test.
constexpr const char* kPopupWindows[] = {"MAINFORM", "FORM8", "FORM16"};

// While one of these is loaded a right click does nothing (the compose window, the reply-text
// editor and the sender-book window do not count).
constexpr const char* kBlockingWindows[] = {"FORM2", "FORM3", "FORM4", "FORM5", "FORM6",
                                            "FORM7", "FORM10", "FORM11", "FORM12"};

// Our windows know the screen place of their client area; the outer rectangle is taken to begin
// one whole frame before it, so that a point shifted by a window's own frame comes back unchanged.
struct Point {
    int x = 0, y = 0;
};
Point outer_origin(const pf::Form& f) { return {f.left - f.frame_width, f.top - f.frame_height}; }

bool inside(const pf::ExtSlot& slot, Point origin, Point at) {
    return origin.x + slot.left <= at.x && at.x < origin.x + slot.right && origin.y + slot.top <= at.y &&
           at.y < origin.y + slot.bottom;
}

}  // namespace

void EXTFORM(const std::string& window) { globals().FOCUS_HWND = window; }
void MAINFORM_SETFOCUS() { EXTFORM("MAINFORM"); }
void FORM8_SETFOCUS() { EXTFORM("FORM8"); }
void FORM16_SETFOCUS() { EXTFORM("FORM16"); }

void EXTGETEVENT(const std::string& frame) {
    pf::Forms& windows = pf::forms();
    for (const char* name : kPopupWindows) {
        pf::pause(20);
        if (!windows.is_loaded(name)) continue;
        pf::pause(20);
        const pf::Form& f = pf::form(name);
        if (f.visible && windows.active() != name) return;
    }
    for (const char* name : kBlockingWindows) {
        if (windows.is_loaded(name)) return;
    }
    const pf::input::RightPress& press = pf::input::pointer();
    if (press.form.empty() || !windows.is_loaded(press.form)) return;
    const pf::Form& pressed = pf::form(press.form);
    Point at{pressed.left + press.x, pressed.top + press.y};
    const pf::Form& frame_form = pf::form(frame);
    Globals& g = globals();
    const pf::ExtTable& table = pf::EXT_TABLE();
    for (int i = 0; i < table.used; ++i) {
        const pf::ExtSlot& slot = table.slots[static_cast<std::size_t>(i)];
        // Freed slots are skipped; a point on one window is never over another window's list.
        if (slot.window.empty() || slot.window != g.FOCUS_HWND || slot.window != press.form) continue;
        if (!windows.is_loaded(slot.window)) continue;
        pf::Form& owner = pf::form(slot.window);
        Point origin = outer_origin(owner);
        if (!inside(slot, origin, at)) continue;
        // The point is sent in the frame window's client pixels, whichever window owns the list.
        int x = at.x - origin.x - frame_form.frame_width;
        int y = at.y - origin.y - frame_form.frame_height;
        g.EXT_TARGET_HWND = ExtTarget{slot.window, slot.list};
        // A window that takes no input (or a full queue) gets no event: nothing stays pending then.
        if (!pf::input::mouse_down(owner, pf::input::Button::Right, x, y)) g.EXT_TARGET_HWND = ExtTarget{};
    }
}

bool ISEXTEVENT(const std::string& window, const std::string& list) {
    ExtTarget& target = globals().EXT_TARGET_HWND;
    if (!target.window.empty() && !pf::forms().is_loaded(target.window)) target = ExtTarget{};
    if (target.window.empty() || target.window != window || target.list != list) return false;
    target = ExtTarget{};
    return true;
}

void drop_pending_target(const std::string& window) {
    ExtTarget& target = globals().EXT_TARGET_HWND;
    if (target.window == window) target = ExtTarget{};
}

}  // namespace tv::shell
