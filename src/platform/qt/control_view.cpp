#include "platform/qt/control_view.h"

#include <QEvent>

#include "platform/input.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

namespace {

// Timers have no widget.
class NoWidgetView : public ControlView {
public:
    using ControlView::ControlView;
    QWidget* widget() const override { return nullptr; }
    void sync() override {}
};

// Passes on every focus a widget gets: the model raises events only when the focus moves to
// another control of the window (a window that becomes active again gives it back to the same
// box, and the focus the program moved is already in the model).
class FocusReporter : public QObject {
public:
    FocusReporter(QObject* parent, std::function<void()> report) : QObject(parent), report_(std::move(report)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) report_();
        return false;
    }

private:
    std::function<void()> report_;
};

}  // namespace

void ControlView::deliver(const std::function<void(Control&)>& input) {
    view_.deliver([this, input] {
        if (Control* c = control()) input(*c);
    });
}

void ControlView::sync_common(QWidget& widget) {
    const Control& c = *control_;
    if (!applied_) {
        widget.installEventFilter(new FocusReporter(&widget, [this] { deliver([](Control& target) { input::focus(target); }); }));
    }
    QRect geometry(c.x, c.y, std::max(0, c.width), std::max(0, c.height));
    if (!applied_ || geometry != geometry_) widget.setGeometry(geometry);
    if (!applied_ || c.enabled != enabled_) widget.setEnabled(c.enabled);
    if (!applied_ || c.font != font_ || c.font_weight != weight_) widget.setFont(to_qfont(c.font, c.font_weight));
    if (!applied_ || c.visible != visible_) widget.setVisible(c.visible);
    applied_ = true;
    geometry_ = geometry;
    enabled_ = c.enabled;
    font_ = c.font;
    weight_ = c.font_weight;
    visible_ = c.visible;
}

std::unique_ptr<ControlView> make_control_view(QtView& view, FormWindow& window, Control& control) {
    switch (control.kind()) {
        case ControlKind::Button:
        case ControlKind::Label:
        case ControlKind::CheckBox:
        case ControlKind::Radio:
        case ControlKind::Frame: return make_button_view(view, window.surface(), control);
        case ControlKind::Edit: return make_edit_view(view, window.surface(), control);
        case ControlKind::ComboBox: return make_combo_view(view, window.surface(), control);
        case ControlKind::ListBox: return make_list_view(view, window.surface(), control);
        case ControlKind::MenuItem: return make_menu_item_view(view, window, control);
        case ControlKind::Timer: break;
    }
    return std::make_unique<NoWidgetView>(view, control);
}

}  // namespace tv::platform::qt
