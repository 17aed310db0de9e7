// The forms model: the program's windows and their named controls, with their state and a retained
// drawing list. The model knows nothing of how it is shown; a FormsView (Qt, or none) follows it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tv::platform {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

enum class MousePointer { Default, Arrow, Hourglass };
enum class WindowState { Normal, Minimized, Maximized };
// The input method of a window: off, or on in full-width hiragana (as far as the desktop allows).
enum class InputMethod { Off, Hiragana };
// The scroll bars of a multi-line edit.
enum class ScrollBars { None, Vertical };
enum class SizeUnit { Pixels, Points };  // a character height in pixels, or a size in points

struct Font {
    std::string face;  // CP932, e.g. "ＭＳ 明朝"
    double size = 12;
    SizeUnit unit = SizeUnit::Pixels;
    bool bold = false;
    bool italic = false;
    bool operator==(const Font&) const = default;
};

// The character height in pixels (without internal leading). Points are laid out one to one with
// pixels: the windows' fixed byte columns (a 139-byte row in a 996-pixel list at size 14) and the
// places of their drawn texts only fit at that scale. A half-width character is half as wide.
int character_height(const Font& font);

struct DrawOp {
    // A picture is the image file `text` (a system path) drawn scaled into the box of both corners.
    enum class Kind { Text, FilledBox, Box, Line, Picture };
    Kind kind = Kind::Text;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb color;       // text colour, outline or line colour
    Rgb fill;        // interior of a filled box
    std::string text;  // CP932
    Font font;
};

enum class ControlKind { Button, Label, Edit, ListBox, CheckBox, Radio, ComboBox, Timer, MenuItem, Frame };

class Form;

class Control {
public:
    Control(Form* form, std::string name, ControlKind kind) : form_(form), name_(std::move(name)), kind_(kind) {}

    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }
    Form& form() const { return *form_; }

    // Common state.
    std::string caption;  // button, label, check box, menu item (CP932)
    int x = 0, y = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    int font_weight = 400;
    Font font;
    // Check box, radio button, menu check mark.
    bool checked = false;
    // Edit and combo box text (CP932) and the edit's byte limit (0: none).
    std::string text;
    std::size_t max_length = 0;
    // The program replaces the text, and the view shows it. No event.
    void set_text(std::string value);
    // Timer: its period in ms; it raises its event every tenth period.
    int interval = 0;
    bool timer_enabled = false;
    std::int64_t timer_started_ms = 0;
    std::int64_t timer_ticks_done = 0;
    // Menu item: the caption of the menu bar's menu that holds it, and the handler its choice
    // raises (default "<NAME>_ON").
    std::string menu;
    std::string event_name;
    // Edit: several lines (Enter types CR LF into the text), locked (read-only), password masking.
    bool multiline = false;
    bool read_only = false;
    bool password = false;
    int tab_index = 0;
    // Edit looks: a multi-line edit wraps long lines at its width or scrolls sideways (a box one line
    // high); its scroll bars; its border; its back colour (none: the desktop's).
    bool word_wrap = false;
    ScrollBars scroll_bars = ScrollBars::None;
    bool border = true;
    std::optional<Rgb> back_color;
    // The selected part of an edit's text (byte offsets). select_all() selects the whole text.
    std::size_t selection_start = 0, selection_length = 0;
    std::uint64_t selection_requests = 0;  // counts select_all() calls (the view follows them)
    void select_all();
    // Check box and radio button set by the program: a radio button that is set clears the other
    // radio buttons of its group (same `menu` text). No event.
    void set_checked(bool value);

    // List box and combo box rows.
    bool sorted = false;
    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    // Row i (0-based); the empty text beyond the end.
    std::string item(int i) const;
    // Adds a row (in sorted place when the list is sorted, after the rows equal to it); returns its
    // index.
    int add_item(std::string row);
    void remove_item(int i);
    void clear();
    void set_items(std::vector<std::string> rows);  // replaces all rows (sorted when the list is)
    int selected() const { return selected_; }
    // Selects row i (-1: none), raising no event; a list scrolls only as far as needed to show it.
    void select(int i);
    int top_index() const { return top_index_; }
    // Scrolls so that row i is the top row as far as the list allows; -1 on an empty list is ignored.
    void set_top_index(int i);
    int visible_rows = 10;
    // Set by a view that shows the list: the pixel height of one row and the top of the first row
    // below the list's top edge. 0 while no view shows it (hit tests then use their own pitch).
    int shown_row_height = 0;
    int shown_rows_top = 0;

    // The last change of the rows and a count of all row changes, so that a view can follow a long
    // list row by row instead of reading all of it again after every change.
    struct RowsChange {
        enum class Kind { Reset, Insert, Remove };
        Kind kind = Kind::Reset;
        int row = 0;
    };
    std::uint64_t rows_revision() const { return rows_revision_; }
    const RowsChange& last_rows_change() const { return last_rows_change_; }

    // Tells the view that this control's state changed.
    void changed();

private:
    Form* form_;
    std::string name_;
    ControlKind kind_;
    void rows_changed(RowsChange::Kind kind, int row);

    std::vector<std::string> items_;
    int selected_ = -1;
    int top_index_ = 0;
    std::uint64_t rows_revision_ = 0;
    RowsChange last_rows_change_;
};

// The state of a window: what its definition sets and what the program and the user change. A
// window loaded again starts from these defaults.
struct FormState {
    bool loaded = false;
    bool visible = false;
    bool enabled = true;
    bool minimized = false;
    bool maximized = false;  // the state it is restored to from minimised, or shown in
    bool topmost = false;
    bool borderless = false;
    bool sizable = false;       // a sizing border; with a maximise box when `maximize_box`
    std::string caption;  // CP932
    std::string icon;     // system path of the icon file, empty for the default
    MousePointer pointer = MousePointer::Default;
    int left = 0, top = 0;       // the outer window's top-left corner on the screen
    int width = 0, height = 0;   // the client area
    int frame_width = 0, frame_height = 0;  // outer minus client size (title, borders, menu)
    bool has_title_bar = true;
    bool close_box_enabled = true;  // the close box and the system menu's Close item (false: greyed)
    bool minimize_box = true;
    bool maximize_box = false;
    InputMethod input_method = InputMethod::Off;
    Rgb background{236, 233, 216};
    Rgb fore_color{0, 0, 0};
    Rgb fill_color{0, 0, 0};
    Font font;
    std::string focused;  // the control that has the keyboard focus in this window, empty: the window
    // Counts the program's requests to bring the window to the front (the view follows them).
    int front_requests = 0;
    bool shown_since_load = false;  // a first showing raises "<FORM>_RESIZE"
};

class Form : public FormState {
public:
    explicit Form(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    int outer_width() const { return width + frame_width; }
    int outer_height() const { return height + frame_height; }
    // A definition's size as the outside of the window, given its frame (title bar and borders).
    void set_outer_size(int outer_w, int outer_h, int frame_w, int frame_h) {
        frame_width = frame_w;
        frame_height = frame_h;
        width = outer_w - frame_w;
        height = outer_h - frame_h;
    }

    // What the program does to its window, raising what the desktop would. Showing a window for
    // the first time since it was loaded, and every change of its size or state, queue
    // "<FORM>_RESIZE". Showing, hiding or enabling a window that is not loaded (code closed it)
    // raises a runtime error.
    void show();
    void hide();
    void set_enabled(bool value);
    WindowState window_state() const;
    void set_window_state(WindowState state);
    void set_size(int client_width, int client_height);
    void set_topmost(bool value);
    // Brings the window above our others and makes it the active window ("<FORM>_SETFOCUS").
    void bring_to_front();
    // Moves the keyboard focus to a control (empty: the window itself): "<OLD>_KILLFOCUS", then
    // "<NEW>_SETFOCUS" are queued.
    void set_focus(const std::string& control);
    void set_input_method(InputMethod method);
    // The mouse pointer over the window (the hourglass while the program works), shown at once.
    void set_pointer(MousePointer value);

    // Controls by name; created by the form's definition when it loads.
    Control& add(const std::string& name, ControlKind kind);
    // The same, placed at (x, y) with its size.
    Control& add(const std::string& name, ControlKind kind, int x, int y, int width, int height);
    Control& control(const std::string& name);
    bool has(const std::string& name) const { return controls_.count(name) != 0; }
    const std::vector<Control*>& controls() const { return order_; }

    // Drawing, in the window's current font and colours. Coordinates are client pixels.
    void clear_drawing();
    void draw_text(int x, int y, const std::string& text, Rgb color);
    void draw_filled_box(int x1, int y1, int x2, int y2, Rgb outline, Rgb fill);
    void draw_box(int x1, int y1, int x2, int y2, Rgb outline);
    void draw_line(int x1, int y1, int x2, int y2, Rgb color);
    // The image file `path` (a system path) scaled to width x height at (x, y).
    void draw_picture(int x, int y, int width, int height, const std::string& path);
    const std::vector<DrawOp>& drawing() const { return drawing_; }

    // Window state changes are announced by the code that makes them.
    void changed();

    void reset_controls();  // drops every control (unload)

private:
    void add_op(DrawOp op);

    std::string name_;
    std::map<std::string, std::unique_ptr<Control>> controls_;
    std::vector<Control*> order_;
    std::vector<DrawOp> drawing_;
};

// What shows the model (the Qt view). Every call comes after the change.
class FormsView {
public:
    virtual ~FormsView() = default;
    virtual void form_changed(Form& form) = 0;
    virtual void drawing_changed(Form& form) = 0;
    virtual void control_changed(Form& form, Control& control) = 0;
};

class Forms {
public:
    using Definition = std::function<void(Form&)>;

    // The definition builds a form's controls and initial state when it loads.
    void define(const std::string& name, Definition definition);
    Form& get(const std::string& name);
    bool is_loaded(const std::string& name) const;
    // Loads a form that is not loaded: builds it from its definition and queues its load event
    // "<NAME>_START". A loaded form is left as it is.
    void load(const std::string& name);
    // Unloads without any close event; the window leaves the screen.
    void unload(const std::string& name);
    // Runs `fn` after every unload of the form, whoever unloads it (the user's close or code), so
    // that state which lives with a window goes with it.
    void on_unload(const std::string& name, std::function<void()> fn);
    void reset();

    // Runs `fn` for every loaded form (timers, right-click tests).
    void for_each_loaded(const std::function<void(Form&)>& fn);

    // The window that has the keyboard focus (the active window), empty for none of ours.
    const std::string& active() const { return active_; }
    void set_active(const std::string& name) { active_ = name; }

    // The single child-window slot: taking it while occupied raises error 1001.
    void take_child_slot(const std::string& name);
    void free_child_slot(const std::string& name);
    const std::string& child_slot() const { return child_; }

private:
    std::map<std::string, std::unique_ptr<Form>> forms_;
    std::map<std::string, Definition> definitions_;
    std::map<std::string, std::function<void()>> unload_hooks_;
    std::string child_;
    std::string active_;
};

Forms& forms();

// Shorthands.
inline Form& form(const std::string& name) { return forms().get(name); }

}  // namespace tv::platform
