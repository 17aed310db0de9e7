// What the user does to the forms model. The Qt view calls these for real input and the test
// harness for scripted input, so both raise exactly the same events.
//
// Input to a form that is not loaded, not visible or disabled, or to a control that is hidden or
// disabled, is ignored, as a disabled window takes no input.
#pragma once

#include <string>

#include "platform/forms.h"

namespace tv::platform::input {

enum class Button { Left = 1, Right = 2 };

bool accepts_input(const Form& form);
bool accepts_input(const Control& control);

// A click on a button, check box, radio button or menu item: a check box toggles, a radio button
// is set and the other radio buttons of its group (same `menu` text) are cleared; then
// "<NAME>_ON" (or the item's event name) is queued.
bool click(Control& control);
// A click on a list row: the row is selected and "<NAME>_CLICK" queued. Choosing a row of a
// drop-down (combo box) makes the row its text and queues "<NAME>_CHANGE" instead.
bool click_row(Control& list, int row);
// A double click on a list row: the row is selected, "<NAME>_CLICK" and "<NAME>_DBLCLICK" queued.
bool double_click_row(Control& list, int row);
// The second click of a double click whose first click went through click_row (a view sees the two
// apart): the row is selected and only "<NAME>_DBLCLICK" queued.
bool second_click_row(Control& list, int row);
// The user scrolled a list so that `row` is its top row; no event.
void scroll_list(Control& list, int row);

// The keys that move a list's highlight. Every move, by key or by click, is one click_row, so the
// list's click handler always sees the row the user highlighted.
enum class ListKey { Up, Down, PageUp, PageDown, Home, End };
// A key on a list: Up and Down move one row, Home and End to the first and last row, Page Up and
// Page Down to the top or bottom row shown, or a page further when the highlight is there already
// (with no row highlighted, to the first row or the bottom row shown). The row is clicked; false,
// and no event, when the highlight stays where it is.
bool press_list_key(Control& list, ListKey key);
// A character typed on a list (CP932): the next row after the highlighted one, from the first row
// again after the last, whose text begins with it (ASCII case-blind) is clicked; false when no
// row begins with it.
bool type_in_list(Control& list, const std::string& typed);
// The text of an edit or combo box changed by typing or pasting: "<NAME>_CHANGE" is queued.
// `text` is CP932; the caller has refused what CP932 cannot hold. The byte limit is kept as
// within_limit says.
bool change_text(Control& control, const std::string& text);

// What an edit keeps of a change from `old_text` to `new_text` under a byte limit (0: none): a
// change that adds no bytes (a deletion) is kept whole, also in a text already over the limit, so
// that a box never locks; what was typed or pasted is cut, at a character boundary, where the text
// reaches the limit. `typed_end` gets the byte position just after the kept insertion.
std::string within_limit(std::string_view old_text, std::string_view new_text, std::size_t limit,
                         std::size_t* typed_end = nullptr);
// Typing at the caret at the end of an edit: Enter in a multi-line edit types CR LF.
bool type_text(Control& control, const std::string& typed);
// A control got the keyboard focus: the control that had it in that window queues
// "<OLD>_KILLFOCUS", then the control "<NAME>_SETFOCUS" (nothing when it had the focus already).
bool focus(Control& control);
// The window got the keyboard focus: "<FORM>_SETFOCUS" is queued.
bool focus(Form& form);
// A mouse button went down on the form's surface: "<FORM>_MOUSEDOWN" is queued with the state.
bool mouse_down(Form& form, Button button, int x, int y);
// A click on the form's surface: "<FORM>_CLICK" is queued.
bool click_form(Form& form);

// The last mouse-down, for the handler of "<FORM>_MOUSEDOWN".
struct MouseState {
    Button button = Button::Left;
    int x = 0, y = 0;
};
const MouseState& last_mouse_down();

// Who asks a window to close: the user, or the desktop session that is ending (log-off, shut-down).
enum class CloseMode { User = 0, SessionEnd = 2 };

// The user asks to close the window: its "<FORM>_QUERYCLOSE" handler runs at once (not queued);
// unless the handler refused with refuse_close(), the form is unloaded. True when it closed.
// A user cannot close a disabled window or one without a close box, or with a greyed one: the
// request is ignored. An ending desktop session asks every window.
bool request_close(Form& form, CloseMode mode = CloseMode::User);
// Called by a "<FORM>_QUERYCLOSE" handler to keep its window open.
void refuse_close();
// For a "<FORM>_QUERYCLOSE" handler: who asks.
CloseMode close_mode();

// The Delete key pressed while `form` is the active window. The main loop takes the press once.
void press_delete(Form& form);
bool take_delete_press(const std::string& form_name);

// The right mouse button went down over `form` at client (x, y) (the view reports only clicks on
// our own windows). The main loop takes it once; the position stays readable as the pointer.
void press_right_button(Form& form, int x, int y);
struct RightPress {
    std::string form;
    int x = 0, y = 0;
};
bool take_right_press(RightPress& press);
const RightPress& pointer();

// A window became the active window: its "<FORM>_SETFOCUS" is queued.
void activate(Form& form);
// The window is no longer the active one (another window or application has the focus).
void deactivate(Form& form);

// The window was minimised, maximised or restored by the user: state set, "<FORM>_RESIZE" queued.
// A window without a minimise box is not minimised (it stays as it was).
void set_window_state(Form& form, WindowState state);
void set_minimized(Form& form, bool minimized);
// The user resized a sizable window to this client size: "<FORM>_RESIZE" queued.
void resize(Form& form, int client_width, int client_height);

// The Esc key went down on one of our windows. take_escape_press() reads it once.
void press_escape();
bool take_escape_press();

}  // namespace tv::platform::input
