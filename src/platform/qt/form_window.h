// The top-level window that shows one loaded form: an optional menu bar above a drawing surface
// of the form's client size, on which the controls sit at their places.
#pragma once

#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <cstdint>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/qt/control_view.h"
#include "platform/qt/drawing_painter.h"

class QVBoxLayout;

namespace tv::platform::qt {

class QtView;
class FormWindow;

// Paints the form's background and drawing list; reports mouse buttons on it.
class Surface : public QWidget {
public:
    Surface(QtView& view, FormWindow& window);
    // What the last paint drew, in order.
    const std::vector<PaintedItem>& painted() const { return painted_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The second press of a double click: a double click is one press and one click, as the
    // windows' own handlers count them (Qt would hand it to the press handler again).
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QtView& view_;
    FormWindow& window_;
    bool double_click_ = false;  // the release that ends a double click raises no second click
    std::vector<PaintedItem> painted_;
};

class FormWindow : public QWidget {
public:
    FormWindow(QtView& view, Form& form);
    ~FormWindow() override;

    Form* form() const { return form_; }  // null once detached
    const std::string& form_name() const { return name_; }
    Surface* surface() const { return surface_; }
    QMenuBar* menu_bar() const { return menu_bar_; }
    // The menu of the menu bar with this caption; menus appear in the order they are first asked for.
    QMenu* menu(const QString& caption);
    // The menu bar itself, for items that stand on the bar and open no menu.
    QMenuBar* bar();

    // Brings the window and any controls it does not show yet in line with the model.
    void sync_form();
    void sync_control(Control& control);
    ControlView* control_view(const std::string& name) const;
    // The form is about to unload: every widget lets go of the model.
    void detach();
    // Moves a window the program placed by its frame, once the window manager has framed it.
    void settle_place();
    // A disabled form takes no input, but keeps its looks (its controls are not greyed).
    bool accepts_input() const { return form_ && form_->enabled; }
    // Larger for a window that came to the front (shown, brought there or activated) later.
    std::uint64_t front_order() const { return front_order_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void add_new_controls();
    void apply_tab_order();  // Tab moves through the controls in the order of their tab_index
    bool apply_flags(const Form& f);  // true when the window had to be made anew
    void apply_size(const Form& f);
    void apply_visibility(const Form& f);
    void apply_input_method(const Form& f);
    void place(QPoint outer);

    QtView& view_;
    Form* form_;
    std::string name_;
    QVBoxLayout* layout_ = nullptr;
    Surface* surface_ = nullptr;
    QMenuBar* menu_bar_ = nullptr;
    std::map<QString, QMenu*> menus_;
    std::map<std::string, std::unique_ptr<ControlView>> controls_;
    std::size_t controls_seen_ = 0;
    bool applying_ = false;  // the view changes the window state: no user input
    bool minimized_by_program_ = false;  // showMinimized() left the window's hints iconic
    // What was applied last, so that only changes touch the window.
    bool applied_ = false;
    QPoint position_;
    QSize applied_size_;
    bool placing_ = false;  // placed by the program; the frame is not taken into account yet
    int front_requests_ = 0;
    std::uint64_t front_order_ = 0;
    std::optional<InputMethod> applied_input_method_;
    std::string caption_;
    std::string focused_;
    std::string icon_;
    MousePointer pointer_ = MousePointer::Default;
};

}  // namespace tv::platform::qt
