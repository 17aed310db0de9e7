// The widget that shows one control of a form, kept in line with the model.
#pragma once

#include <QAction>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/forms.h"

class QLineEdit;
class QString;

namespace tv::platform::qt {

class FormWindow;
class QtView;

class ControlView {
public:
    ControlView(QtView& view, Control& control) : view_(view), control_(&control) {}
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    // The widget on the form's surface; null for controls shown otherwise (menu items) or not at all.
    virtual QWidget* widget() const = 0;
    // Brings the widget in line with the model.
    virtual void sync() = 0;
    // The control is about to be destroyed (its form unloads): the widget lets go of it.
    virtual void detach() { control_ = nullptr; }

protected:
    Control* control() const { return control_; }
    // User input on the widget, passed to the live control through the view.
    void deliver(const std::function<void(Control&)>& input);
    // A one-line edit of this control: typed text reaches the model when CP932 holds it within the
    // control's byte limit, and is refused with a beep otherwise. `accepted` is the text shown.
    void take_line_input(QLineEdit* line, QString& accepted);
    // Position, size, visibility, enablement and font, applied where they changed. The first call
    // also has the widget report the focus the user gives it.
    void sync_common(QWidget& widget);
    // True while the view itself changes the widget, so its signals are no user input.
    bool syncing() const { return syncing_ > 0; }
    struct SyncScope {
        explicit SyncScope(ControlView& v) : view(v) { ++view.syncing_; }
        ~SyncScope() { --view.syncing_; }
        ControlView& view;
    };

    QtView& view_;

private:
    Control* control_;
    int syncing_ = 0;
    bool applied_ = false;
    QRect geometry_;
    bool visible_ = false;
    bool enabled_ = false;
    Font font_;
    int weight_ = 0;
};

// The views by kind of control.
std::unique_ptr<ControlView> make_control_view(QtView& view, FormWindow& window, Control& control);
std::unique_ptr<ControlView> make_button_view(QtView& view, QWidget* surface, Control& control);
std::unique_ptr<ControlView> make_menu_item_view(QtView& view, FormWindow& window, Control& control);
std::unique_ptr<ControlView> make_edit_view(QtView& view, QWidget* surface, Control& control);
std::unique_ptr<ControlView> make_combo_view(QtView& view, QWidget* surface, Control& control);
std::unique_ptr<ControlView> make_list_view(QtView& view, QWidget* surface, Control& control);

// The action of a menu-item view, else null.
QAction* menu_action_of(ControlView* view);

}  // namespace tv::platform::qt
