#include "platform/forms.h"

#include <algorithm>
#include <cmath>

#include "common/errors.h"
#include "common/paths.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/platform.h"

namespace tv::platform {

namespace {

FormsView* view() { return services().view; }

void require_loaded(const Form& f) {
    if (!f.loaded) raise_error(err::kWindowClosed, "window " + f.name() + " is closed");
}

void post_resize(const Form& f) { event_queue().post(f.name() + "_RESIZE"); }

}  // namespace

int character_height(const Font& font) {
    return std::max(1, static_cast<int>(std::lround(font.size)));
}

std::string Control::item(int i) const {
    if (i < 0 || i >= count()) return {};
    return items_[static_cast<std::size_t>(i)];
}

void Control::rows_changed(RowsChange::Kind kind, int row) {
    ++rows_revision_;
    last_rows_change_ = RowsChange{kind, row};
    changed();
}

int Control::add_item(std::string row) {
    int at = count();
    if (sorted) {
        auto it = std::upper_bound(items_.begin(), items_.end(), row,
                                   [](const std::string& a, const std::string& b) { return files::name_less(a, b); });
        at = static_cast<int>(it - items_.begin());
        items_.insert(it, std::move(row));
    } else {
        items_.push_back(std::move(row));
    }
    rows_changed(RowsChange::Kind::Insert, at);
    return at;
}

void Control::remove_item(int i) {
    if (i < 0 || i >= count()) return;
    items_.erase(items_.begin() + i);
    if (selected_ >= count()) selected_ = -1;
    rows_changed(RowsChange::Kind::Remove, i);
}

void Control::clear() {
    items_.clear();
    selected_ = -1;
    top_index_ = 0;
    rows_changed(RowsChange::Kind::Reset, 0);
}

void Control::set_items(std::vector<std::string> rows) {
    if (sorted) files::sort_names(rows);
    items_ = std::move(rows);
    selected_ = -1;
    top_index_ = 0;
    rows_changed(RowsChange::Kind::Reset, 0);
}

void Control::select(int i) {
    selected_ = (i >= 0 && i < count()) ? i : -1;
    if (selected_ >= 0) {
        int rows = std::max(1, visible_rows);
        if (selected_ < top_index_) {
            top_index_ = selected_;
        } else if (selected_ >= top_index_ + rows) {
            top_index_ = selected_ - rows + 1;
        }
    }
    changed();
}

void Control::set_text(std::string value) {
    text = std::move(value);
    changed();
}

void Control::select_all() {
    selection_start = 0;
    selection_length = text.size();
    ++selection_requests;
    changed();
}

void Control::set_checked(bool value) {
    if (value && kind_ == ControlKind::Radio) {
        for (Control* other : form_->controls()) {
            if (other != this && other->kind() == ControlKind::Radio && other->menu == menu && other->checked) {
                other->checked = false;
                other->changed();
            }
        }
    }
    checked = value;
    changed();
}

void Control::set_top_index(int i) {
    if (items_.empty()) return;
    int last_top = std::max(0, count() - std::max(1, visible_rows));
    top_index_ = std::clamp(i, 0, last_top);
    changed();
}

void Control::changed() {
    if (auto* v = view()) v->control_changed(*form_, *this);
}

Control& Form::add(const std::string& name, ControlKind kind) {
    auto control = std::make_unique<Control>(this, name, kind);
    Control& ref = *control;
    order_.push_back(&ref);
    controls_[name] = std::move(control);
    return ref;
}

Control& Form::add(const std::string& name, ControlKind kind, int x, int y, int width, int height) {
    Control& c = add(name, kind);
    c.x = x;
    c.y = y;
    c.width = width;
    c.height = height;
    return c;
}

Control& Form::control(const std::string& name) {
    auto it = controls_.find(name);
    if (it == controls_.end()) {
        // A control of a form that is not loaded (or not defined) answers as an empty one.
        return add(name, ControlKind::Label);
    }
    return *it->second;
}

void Form::reset_controls() {
    controls_.clear();
    order_.clear();
}

void Form::add_op(DrawOp op) {
    drawing_.push_back(std::move(op));
    if (auto* v = view()) v->drawing_changed(*this);
}

void Form::clear_drawing() {
    drawing_.clear();
    if (auto* v = view()) v->drawing_changed(*this);
}

void Form::draw_text(int x, int y, const std::string& text, Rgb color) {
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.x1 = x;
    op.y1 = y;
    op.text = text;
    op.color = color;
    op.font = font;
    add_op(std::move(op));
}

void Form::draw_filled_box(int x1, int y1, int x2, int y2, Rgb outline, Rgb fill) {
    // A filled box hides what lies wholly inside it: drop those shapes and texts, so that a window
    // redrawn again and again keeps a drawing list as long as one drawing. A text's cell is its
    // character height high and half of that wide per byte (the fixed-pitch layouts' grid).
    std::erase_if(drawing_, [&](const DrawOp& op) {
        int ax = std::min(op.x1, op.x2), bx = std::max(op.x1, op.x2);
        int ay = std::min(op.y1, op.y2), by = std::max(op.y1, op.y2);
        if (op.kind == DrawOp::Kind::Text) {
            int height = character_height(op.font);
            ax = op.x1;
            ay = op.y1;
            bx = op.x1 + static_cast<int>(op.text.size()) * ((height + 1) / 2) - 1;
            by = op.y1 + height - 1;
        }
        return ax >= std::min(x1, x2) && bx <= std::max(x1, x2) && ay >= std::min(y1, y2) && by <= std::max(y1, y2);
    });
    add_op(DrawOp{DrawOp::Kind::FilledBox, x1, y1, x2, y2, outline, fill, {}, {}});
}

void Form::draw_box(int x1, int y1, int x2, int y2, Rgb outline) {
    add_op(DrawOp{DrawOp::Kind::Box, x1, y1, x2, y2, outline, {}, {}, {}});
}

void Form::draw_line(int x1, int y1, int x2, int y2, Rgb color) {
    add_op(DrawOp{DrawOp::Kind::Line, x1, y1, x2, y2, color, {}, {}, {}});
}

void Form::draw_picture(int x, int y, int width, int height, const std::string& path) {
    add_op(DrawOp{DrawOp::Kind::Picture, x, y, x + width - 1, y + height - 1, {}, {}, path, {}});
}

void Form::changed() {
    if (auto* v = view()) v->form_changed(*this);
}

void Form::show() {
    require_loaded(*this);
    bool first = !shown_since_load;
    shown_since_load = true;
    if (visible && !first) return;
    visible = true;
    changed();
    if (first) post_resize(*this);
}

void Form::hide() {
    require_loaded(*this);
    if (!visible) return;
    visible = false;
    changed();
}

void Form::set_enabled(bool value) {
    require_loaded(*this);
    if (enabled == value) return;
    enabled = value;
    changed();
}

WindowState Form::window_state() const {
    if (minimized) return WindowState::Minimized;
    return maximized ? WindowState::Maximized : WindowState::Normal;
}

void Form::set_window_state(WindowState state) {
    if (!loaded || state == window_state()) return;
    minimized = state == WindowState::Minimized;
    if (!minimized) maximized = state == WindowState::Maximized;
    changed();
    post_resize(*this);
}

void Form::set_size(int client_width, int client_height) {
    if (!loaded || (client_width == width && client_height == height)) return;
    width = client_width;
    height = client_height;
    changed();
    post_resize(*this);
}

void Form::set_topmost(bool value) {
    if (!loaded || topmost == value) return;
    topmost = value;
    changed();
}

void Form::set_pointer(MousePointer value) {
    pointer = value;
    changed();
}

void Form::bring_to_front() {
    if (!loaded) return;
    ++front_requests;
    changed();
    input::activate(*this);
}

void Form::set_focus(const std::string& control) {
    if (!loaded || focused == control) return;
    std::string old = focused;
    focused = control;
    changed();
    if (!old.empty() && has(old)) event_queue().post(old + "_KILLFOCUS");
    if (!control.empty()) event_queue().post(control + "_SETFOCUS");
}

void Form::set_input_method(InputMethod method) {
    if (input_method == method) return;
    input_method = method;
    if (loaded) changed();
}

void Forms::define(const std::string& name, Definition definition) { definitions_[name] = std::move(definition); }

Form& Forms::get(const std::string& name) {
    auto it = forms_.find(name);
    if (it == forms_.end()) it = forms_.emplace(name, std::make_unique<Form>(name)).first;
    return *it->second;
}

bool Forms::is_loaded(const std::string& name) const {
    auto it = forms_.find(name);
    return it != forms_.end() && it->second->loaded;
}

void Forms::load(const std::string& name) {
    Form& f = get(name);
    if (f.loaded) return;
    f.reset_controls();
    f.clear_drawing();
    // A window loaded again starts as a new one, whatever its last life left behind.
    static_cast<FormState&>(f) = FormState{};
    auto it = definitions_.find(name);
    if (it != definitions_.end()) it->second(f);
    f.loaded = true;
    f.changed();
    event_queue().post(name + "_START");
}

void Forms::unload(const std::string& name) {
    Form& f = get(name);
    if (!f.loaded) return;
    f.loaded = false;
    f.visible = false;
    f.shown_since_load = false;
    f.topmost = false;
    f.pointer = MousePointer::Default;
    f.changed();
    f.clear_drawing();
    f.reset_controls();
    if (child_ == name) child_.clear();
    if (active_ == name) active_.clear();
    auto hook = unload_hooks_.find(name);
    if (hook != unload_hooks_.end()) hook->second();
}

void Forms::on_unload(const std::string& name, std::function<void()> fn) { unload_hooks_[name] = std::move(fn); }

void Forms::reset() {
    forms_.clear();
    definitions_.clear();
    unload_hooks_.clear();
    child_.clear();
    active_.clear();
}

void Forms::for_each_loaded(const std::function<void(Form&)>& fn) {
    std::vector<Form*> loaded;
    for (auto& [name, f] : forms_) {
        if (f->loaded) loaded.push_back(f.get());
    }
    for (Form* f : loaded) fn(*f);
}

void Forms::take_child_slot(const std::string& name) {
    if (!child_.empty() && child_ != name) raise_error(err::kSlotOccupied, "child window slot occupied by " + child_);
    child_ = name;
}

void Forms::free_child_slot(const std::string& name) {
    if (child_ == name) child_.clear();
}

Forms& forms() {
    static Forms registry;
    return registry;
}

}  // namespace tv::platform
