#include "platform/qt/form_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QGuiApplication>
#include <QInputMethod>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "common/paths.h"
#include "platform/input.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

Surface::Surface(QtView& view, FormWindow& window) : QWidget(&window), view_(view), window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Surface::paintEvent(QPaintEvent*) {
    painted_.clear();
    const Form* form = window_.form();
    if (!form) return;
    QPainter painter(this);
    painter.fillRect(rect(), to_qcolor(form->background));
    paint_drawing(painter, form->drawing(), &painted_);
}

void Surface::mousePressEvent(QMouseEvent* event) {
    input::Button button;
    if (event->button() == Qt::LeftButton) {
        button = input::Button::Left;
    } else if (event->button() == Qt::RightButton) {
        button = input::Button::Right;
    } else {
        return;
    }
    QPoint at = event->position().toPoint();
    std::string name = window_.form_name();
    view_.deliver([&] {
        if (forms().is_loaded(name)) input::mouse_down(forms().get(name), button, at.x(), at.y());
    });
}

void Surface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) double_click_ = true;
}

void Surface::mouseReleaseEvent(QMouseEvent* event) {
    bool ends_double_click = std::exchange(double_click_, false);
    if (event->button() != Qt::LeftButton || ends_double_click || !rect().contains(event->position().toPoint())) return;
    std::string name = window_.form_name();
    view_.deliver([&] {
        if (forms().is_loaded(name)) input::click_form(forms().get(name));
    });
}

FormWindow::FormWindow(QtView& view, Form& form)
    : QWidget(nullptr, Qt::Window), view_(view), form_(&form), name_(form.name()) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->setSizeConstraint(QLayout::SetFixedSize);  // no sizing border, no maximising
    surface_ = new Surface(view, *this);
    layout_->addWidget(surface_);
}

FormWindow::~FormWindow() { controls_.clear(); }

QMenuBar* FormWindow::bar() {
    if (!menu_bar_) {
        menu_bar_ = new QMenuBar(this);
        menu_bar_->setNativeMenuBar(false);  // the menu bar is part of the window's outer size
        layout_->setMenuBar(menu_bar_);
    }
    return menu_bar_;
}

QMenu* FormWindow::menu(const QString& caption) {
    bar();
    auto it = menus_.find(caption);
    if (it != menus_.end()) return it->second;
    QMenu* menu = menu_bar_->addMenu(caption);
    menus_[caption] = menu;
    return menu;
}

void FormWindow::sync_form() {
    if (!form_) return;
    const Form& f = *form_;
    applying_ = true;
    bool recreated = apply_flags(f);
    apply_size(f);
    QPoint position(f.left, f.top);
    // Once placed, the window stays where the user moves it until the program places it anew.
    if (!applied_ || recreated || position != position_) place(position);
    position_ = position;
    if (!applied_ || f.caption != caption_) setWindowTitle(to_qstring(f.caption));
    caption_ = f.caption;
    if (!applied_ || f.icon != icon_) {
        QIcon icon;
        if (!f.icon.empty()) icon = QIcon(QString::fromStdString(files::resolve(f.icon).string()));
        setWindowIcon(icon);
    }
    icon_ = f.icon;
    if (!applied_ || f.pointer != pointer_) {
        switch (f.pointer) {
            case MousePointer::Hourglass: setCursor(Qt::WaitCursor); break;
            case MousePointer::Arrow: setCursor(Qt::ArrowCursor); break;
            case MousePointer::Default: unsetCursor(); break;
        }
    }
    pointer_ = f.pointer;
    applied_ = true;
    add_new_controls();
    apply_input_method(f);
    apply_visibility(f);
    if (f.front_requests != front_requests_ && f.visible) {
        raise();
        activateWindow();
        front_order_ = view_.next_front_order();
    }
    front_requests_ = f.front_requests;
    // The program moved the keyboard focus (Enter moving on to the next box, or to the window).
    if (f.focused != focused_) {
        focused_ = f.focused;
        ControlView* target = control_view(f.focused);
        QWidget* widget = target ? target->widget() : nullptr;
        if (widget) {
            widget->setFocus(Qt::OtherFocusReason);
        } else if (f.focused.empty()) {
            surface_->setFocus(Qt::OtherFocusReason);
        }
    }
    surface_->update();
    applying_ = false;
}

void FormWindow::place(QPoint outer) {
    // The form's place is that of the outer window, frame and title bar included, so that a window
    // at (0, 0) shows its title bar on the screen. The frame is known only once the window manager
    // has framed the window: until then the window sits at the place, and is moved by its frame
    // once that is known.
    move(outer);
    placing_ = true;
    settle_place();
}

void FormWindow::settle_place() {
    QWindow* handle = windowHandle();
    if (!placing_ || !isVisible() || !handle) return;
    QMargins frame = handle->frameMargins();
    if (frame.isNull()) return;  // not framed (yet)
    placing_ = false;
    // The client area goes inside the frame whose corner is the form's place.
    QRect client(position_ + QPoint(frame.left(), frame.top()), geometry().size());
    if (geometry() != client) setGeometry(client);
}

void FormWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    settle_place();
}

void FormWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    settle_place();
}

void FormWindow::apply_size(const Form& f) {
    QSize size(std::max(0, f.width), std::max(0, f.height));
    if (!f.sizable) {
        if (surface_->size() != size || surface_->minimumSize() != size) surface_->setFixedSize(size);
        return;
    }
    if (size == applied_size_) return;
    applied_size_ = size;
    surface_->setMinimumSize(0, 0);
    surface_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    int bar_height = menu_bar_ ? menu_bar_->sizeHint().height() : 0;
    if (!isMaximized() && !isMinimized()) resize(size.width(), size.height() + bar_height);
}

void FormWindow::apply_input_method(const Form& f) {
    if (applied_input_method_ && *applied_input_method_ == f.input_method) return;
    applied_input_method_ = f.input_method;
    // Off shuts the desktop's input method out of the window's boxes; on lets it in, in the mode
    // the desktop gives (hiragana where the input method honours the hint).
    bool on = f.input_method == InputMethod::Hiragana;
    for (auto& [name, view] : controls_) {
        QWidget* widget = view->widget();
        if (!widget || !(widget->focusPolicy() & Qt::ClickFocus)) continue;
        widget->setAttribute(Qt::WA_InputMethodEnabled, on);
        widget->setInputMethodHints(on ? Qt::ImhNone : Qt::ImhLatinOnly);
    }
    if (QGuiApplication::inputMethod()) QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

bool FormWindow::apply_flags(const Form& f) {
    Qt::WindowFlags flags = Qt::Window;
    if (f.borderless) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint;
        if (f.has_title_bar) {
            flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
            // A greyed close box: the desktop offers none while the program refuses the request.
            if (f.close_box_enabled) flags |= Qt::WindowCloseButtonHint;
            if (f.minimize_box) flags |= Qt::WindowMinimizeButtonHint;
            if (f.sizable && f.maximize_box) flags |= Qt::WindowMaximizeButtonHint;
        }
    }
    if (f.topmost) flags |= Qt::WindowStaysOnTopHint;
    // A window without border (a splash or progress window) does not take the focus from others.
    setAttribute(Qt::WA_ShowWithoutActivating, f.borderless);
    layout_->setSizeConstraint(f.sizable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
    if (flags == windowFlags()) return false;
    setWindowFlags(flags);  // hides the window; apply_visibility shows it again
    return true;
}

void FormWindow::apply_visibility(const Form& f) {
    if (!f.visible) {
        if (!isHidden()) hide();
        return;
    }
    bool newly_shown = isHidden();
    switch (f.window_state()) {
        case WindowState::Minimized:
            if (newly_shown || !isMinimized()) showMinimized();
            minimized_by_program_ = true;
            break;
        case WindowState::Maximized:
            if (newly_shown || !isMaximized()) showMaximized();
            break;
        case WindowState::Normal:
            if (newly_shown && minimized_by_program_ && windowHandle()) {
                // Our minimise asked the window manager to map this window iconic, and its restore
                // did not take that back: a state change while hidden does, so it maps normal.
                windowHandle()->setWindowStates(Qt::WindowMaximized);
                windowHandle()->setWindowStates(Qt::WindowNoState);
                minimized_by_program_ = false;
            }
            if (newly_shown || isMinimized() || isMaximized()) showNormal();
            break;
    }
    if (newly_shown) front_order_ = view_.next_front_order();
    if (newly_shown && f.topmost) raise();
}

void FormWindow::add_new_controls() {
    const auto& controls = form_->controls();
    if (controls.size() == controls_seen_) return;
    for (Control* control : controls) {
        if (controls_.count(control->name())) continue;
        auto view = make_control_view(view_, *this, *control);
        ControlView& ref = *view;
        controls_[control->name()] = std::move(view);
        ref.sync();
    }
    controls_seen_ = controls.size();
    apply_tab_order();
    applied_input_method_.reset();  // the new boxes take the window's input method too
}

void FormWindow::apply_tab_order() {
    std::vector<std::pair<int, QWidget*>> chain;
    for (Control* control : form_->controls()) {
        QWidget* widget = control_view(control->name())->widget();
        if (widget && widget->focusPolicy() & Qt::TabFocus) chain.emplace_back(control->tab_index, widget);
    }
    std::stable_sort(chain.begin(), chain.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1].second, chain[i].second);
}

void FormWindow::sync_control(Control& control) {
    if (!form_) return;
    auto it = controls_.find(control.name());
    if (it == controls_.end()) {
        add_new_controls();
        apply_input_method(*form_);
        return;
    }
    it->second->sync();
}

ControlView* FormWindow::control_view(const std::string& name) const {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second.get();
}

void FormWindow::detach() {
    for (auto& [name, view] : controls_) view->detach();
    form_ = nullptr;
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The model decides: the window leaves the screen when its form unloads.
    event->ignore();
    if (!form_ || !form_->enabled) return;  // a disabled window cannot be closed by the user
    std::string name = name_;
    view_.user_input([name] {
        if (forms().is_loaded(name)) input::request_close(forms().get(name));
    });
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    // Delete reaches the window when no control of it takes the key (a list does not; an edit
    // does): the program's loop decides what it moves.
    if (event->key() != Qt::Key_Delete || !form_) {
        QWidget::keyPressEvent(event);
        return;
    }
    std::string name = name_;
    view_.user_input([name] {
        if (forms().is_loaded(name)) input::press_delete(forms().get(name));
    });
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && form_) {
        // The window that becomes active raises its focus event; one that loses it is active no more.
        std::string name = name_;
        bool active = isActiveWindow();
        if (active) front_order_ = view_.next_front_order();  // a window manager raises what it activates
        view_.user_input([name, active] {
            if (!forms().is_loaded(name)) return;
            if (active) {
                input::activate(forms().get(name));
            } else {
                input::deactivate(forms().get(name));
            }
        });
        return;
    }
    if (event->type() != QEvent::WindowStateChange || applying_ || !form_) return;
    WindowState state = isMinimized() ? WindowState::Minimized
                                      : (isMaximized() ? WindowState::Maximized : WindowState::Normal);
    if (state == form_->window_state()) return;
    std::string name = name_;
    view_.user_input([name, state] {
        if (forms().is_loaded(name)) input::set_window_state(forms().get(name), state);
    });
    // A window the program lets nobody minimise comes back at once: the model kept it shown.
    if (state == WindowState::Minimized && !form_->minimize_box) {
        QTimer::singleShot(0, this, [this] {
            if (form_ && isMinimized()) sync_form();
        });
    }
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (applying_ || !form_ || !form_->sizable || isMinimized()) return;
    // The client area is the window less its menu bar.
    int bar_height = menu_bar_ ? menu_bar_->sizeHint().height() : 0;
    QSize size(event->size().width(), event->size().height() - bar_height);
    applied_size_ = size;
    if (size == QSize(form_->width, form_->height)) return;
    std::string name = name_;
    view_.user_input([name, size] {
        if (forms().is_loaded(name)) input::resize(forms().get(name), size.width(), size.height());
    });
}

}  // namespace tv::platform::qt
