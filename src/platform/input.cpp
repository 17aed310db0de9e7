#include "platform/input.h"

#include <algorithm>

#include "common/sjis.h"
#include "platform/events.h"

namespace tv::platform::input {

namespace {

MouseState g_mouse;
bool g_close_refused = false;
CloseMode g_close_mode = CloseMode::User;
std::string g_delete_pressed;
bool g_escape_pressed = false;
bool g_right_pending = false;
RightPress g_pointer;

bool post(const std::string& name) { return event_queue().post(name); }

}  // namespace

bool accepts_input(const Form& form) { return form.loaded && form.visible && form.enabled; }

bool accepts_input(const Control& control) {
    return accepts_input(control.form()) && control.visible && control.enabled;
}

bool click(Control& control) {
    if (control.kind() == ControlKind::MenuItem) {
        if (!accepts_input(control.form()) || !control.enabled) return false;
    } else if (!accepts_input(control)) {
        return false;
    }
    if (control.kind() == ControlKind::CheckBox) {
        control.checked = !control.checked;
        control.changed();
    } else if (control.kind() == ControlKind::Radio) {
        control.set_checked(true);
    }
    return post(control.event_name.empty() ? control.name() + "_ON" : control.event_name);
}

bool click_row(Control& list, int row) {
    if (!accepts_input(list) || row < 0 || row >= list.count()) return false;
    if (list.kind() == ControlKind::ComboBox) {
        list.text = list.item(row);
        list.select(row);
        return post(list.name() + "_CHANGE");
    }
    list.select(row);
    return post(list.name() + "_CLICK");
}

bool double_click_row(Control& list, int row) {
    if (!click_row(list, row)) return false;
    return post(list.name() + "_DBLCLICK");
}

bool second_click_row(Control& list, int row) {
    if (!accepts_input(list) || row < 0 || row >= list.count()) return false;
    if (list.selected() != row) list.select(row);
    return post(list.name() + "_DBLCLICK");
}

void scroll_list(Control& list, int row) {
    if (!accepts_input(list) || row == list.top_index()) return;
    list.set_top_index(row);
}

bool press_list_key(Control& list, ListKey key) {
    if (!accepts_input(list) || list.count() == 0) return false;
    const int current = list.selected();  // -1: none
    const int last = list.count() - 1;
    const int shown = std::max(1, list.visible_rows);
    const int page = std::max(1, shown - 1);  // a page keeps one row of the last in sight
    const int top = list.top_index();
    const int bottom = top + shown - 1;
    int row = current;
    switch (key) {
        case ListKey::Up: row = current - 1; break;
        case ListKey::Down: row = current + 1; break;
        case ListKey::Home: row = 0; break;
        case ListKey::End: row = last; break;
        case ListKey::PageUp: row = current > top ? top : current - page; break;
        case ListKey::PageDown: row = current < bottom ? bottom : current + page; break;
    }
    row = std::clamp(row, 0, last);
    if (row == current) return false;
    return click_row(list, row);
}

bool type_in_list(Control& list, const std::string& typed) {
    if (!accepts_input(list) || typed.empty() || list.count() == 0) return false;
    const std::string wanted = upper_ascii(typed);
    const int count = list.count();
    for (int i = 0; i < count; ++i) {
        int row = (list.selected() + 1 + i) % count;
        if (row == list.selected()) break;
        if (upper_ascii(list.item(row)).compare(0, wanted.size(), wanted) == 0) return click_row(list, row);
    }
    return false;
}

std::string within_limit(std::string_view old_text, std::string_view new_text, std::size_t limit,
                         std::size_t* typed_end) {
    // A character, a CR LF taken as one, so that no cut splits a line break.
    auto unit = [&](std::size_t i) {
        return new_text.compare(i, 2, "\r\n") == 0 ? std::size_t{2} : char_length(new_text, i);
    };
    // The part that stayed in front, and the part that stayed behind, of what was typed.
    std::size_t front = 0;
    while (front < new_text.size()) {
        std::size_t n = unit(front);
        if (new_text.compare(front, n, old_text.substr(std::min(front, old_text.size()), n)) != 0) break;
        front += n;
    }
    std::size_t same_back = 0;
    while (same_back < new_text.size() - front && same_back < old_text.size() - std::min(front, old_text.size()) &&
           new_text[new_text.size() - 1 - same_back] == old_text[old_text.size() - 1 - same_back]) {
        ++same_back;
    }
    std::size_t typed = front;
    while (typed < new_text.size() - same_back) typed += unit(typed);
    if (typed_end) *typed_end = typed;
    if (limit == 0 || new_text.size() <= limit || new_text.size() <= old_text.size()) return std::string(new_text);

    std::size_t base = new_text.size() - (typed - front);  // the text without what was typed
    std::size_t end = front;
    while (end < typed && base + (end + unit(end) - front) <= limit) end += unit(end);
    if (typed_end) *typed_end = end;
    return std::string(new_text.substr(0, end)) + std::string(new_text.substr(typed));
}

bool change_text(Control& control, const std::string& text) {
    if (!accepts_input(control) || control.read_only) return false;
    std::string value = within_limit(control.text, text, control.max_length);
    control.text = value;
    control.changed();
    return post(control.name() + "_CHANGE");
}

bool type_text(Control& control, const std::string& typed) {
    std::string text = control.text;
    for (char c : typed) {
        if (c == '\n' || c == '\r') {
            if (!control.multiline) continue;
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return change_text(control, text);
}

bool focus(Control& control) {
    if (!accepts_input(control)) return false;
    control.form().set_focus(control.name());
    return true;
}

bool focus(Form& form) {
    if (!form.loaded) return false;
    return post(form.name() + "_SETFOCUS");
}

bool mouse_down(Form& form, Button button, int x, int y) {
    if (!accepts_input(form)) return false;
    g_mouse = MouseState{button, x, y};
    return post(form.name() + "_MOUSEDOWN");
}

bool click_form(Form& form) {
    if (!accepts_input(form)) return false;
    return post(form.name() + "_CLICK");
}

const MouseState& last_mouse_down() { return g_mouse; }

bool request_close(Form& form, CloseMode mode) {
    if (!form.loaded) return false;
    bool has_close_box = form.has_title_bar && !form.borderless && form.close_box_enabled;
    if (mode == CloseMode::User && (!form.enabled || !has_close_box)) return false;
    g_close_refused = false;
    struct ModeScope {  // a nested request (inside a box of the handler) keeps the outer mode
        CloseMode outer = g_close_mode;
        ~ModeScope() { g_close_mode = outer; }
    } scope;
    g_close_mode = mode;
    handlers().run(form.name() + "_QUERYCLOSE");
    bool refused = g_close_refused;
    g_close_refused = false;
    if (refused || !form.loaded) return !form.loaded;
    forms().unload(form.name());
    return true;
}

void refuse_close() { g_close_refused = true; }

CloseMode close_mode() { return g_close_mode; }

void press_delete(Form& form) {
    if (!form.loaded || forms().active() != form.name()) return;
    g_delete_pressed = form.name();
}

bool take_delete_press(const std::string& form_name) {
    if (g_delete_pressed != form_name) return false;
    g_delete_pressed.clear();
    return true;
}

void press_right_button(Form& form, int x, int y) {
    if (!form.loaded) return;
    g_pointer = RightPress{form.name(), x, y};
    g_right_pending = true;
}

bool take_right_press(RightPress& press) {
    if (!g_right_pending) return false;
    g_right_pending = false;
    press = g_pointer;
    return true;
}

const RightPress& pointer() { return g_pointer; }

void activate(Form& form) {
    if (!form.loaded || forms().active() == form.name()) return;
    forms().set_active(form.name());
    post(form.name() + "_SETFOCUS");
}

void deactivate(Form& form) {
    if (forms().active() == form.name()) forms().set_active("");
}

void set_window_state(Form& form, WindowState state) {
    // A window without a minimise box stays on the screen: minimised by the desktop anyway, it
    // could leave the user with no window to reach (its owner waits disabled or hidden).
    if (state == WindowState::Minimized && !form.minimize_box) return;
    form.set_window_state(state);
}

void set_minimized(Form& form, bool minimized) {
    if (!form.loaded || form.minimized == minimized) return;
    set_window_state(form, minimized ? WindowState::Minimized
                                     : (form.maximized ? WindowState::Maximized : WindowState::Normal));
}

void resize(Form& form, int client_width, int client_height) {
    if (!form.sizable) return;
    form.set_size(client_width, client_height);
}

void press_escape() { g_escape_pressed = true; }

bool take_escape_press() {
    bool pressed = g_escape_pressed;
    g_escape_pressed = false;
    return pressed;
}

}  // namespace tv::platform::input
