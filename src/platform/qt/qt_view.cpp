#include "platform/qt/qt_view.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>

#include "platform/input.h"
#include "platform/timers.h"

#include "platform/platform.h"
#include "platform/qt/form_window.h"

namespace tv::platform::qt {

// Swallows user input to windows of disabled forms, so that they keep their looks (a disabled
// form's controls are not greyed) but nothing on them reacts.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QtView& view) : view_(view) {}
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            // Esc on any of our windows is seen by the program's next read of the key, also on a
            // window that takes no input.
            auto* widget = qobject_cast<QWidget*>(object);
            if (widget && dynamic_cast<FormWindow*>(widget->window())) view_.user_input([] { input::press_escape(); });
        }
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::InputMethod:
            case QEvent::ContextMenu:
            case QEvent::Drop: break;
            default: return false;
        }
        auto* widget = qobject_cast<QWidget*>(object);
        auto* window = widget ? dynamic_cast<FormWindow*>(widget->window()) : nullptr;
        return window && !window->accepts_input();
    }

private:
    QtView& view_;
};

namespace {

// Gives a dialog the keyboard once it shows, whatever window had it. The request Qt makes when the
// dialog maps can be refused or lost: another program's window was in use, a window of ours was
// closing at the same moment (the window manager's focus fallback then lands after it), or the
// request carried the time of the last input seen before a long handler. So for a short while
// after showing (a number of tries, so that a busy machine that runs the tries late still makes
// them all), the request is repeated whenever the dialog is not the active window; after that the
// user's own choice of window stands.
class DialogActivation : public QObject {
public:
    explicit DialogActivation(QDialog& dialog) : dialog_(dialog) {
        dialog.installEventFilter(this);
        retry_.setInterval(100);
        QObject::connect(&retry_, &QTimer::timeout, this, [this] { request(); });
    }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == &dialog_ && event->type() == QEvent::Show) {
            tries_left_ = kTries;
            request();
            retry_.start();
        }
        return false;
    }

private:
    static constexpr int kTries = 15;  // 1.5 s at the retry interval
    void request() {
        if (!dialog_.isVisible() || tries_left_-- <= 0) {
            retry_.stop();
            return;
        }
        if (dialog_.isActiveWindow()) return;
        dialog_.activateWindow();
    }

    QDialog& dialog_;
    QTimer retry_;
    int tries_left_ = 0;
};

}  // namespace

QtView::QtView() = default;

QtView::~QtView() {
    if (services().view == this) services().view = nullptr;
    for (auto& [name, window] : windows_) {
        window->detach();
        delete window;
    }
    for (FormWindow* window : closed_) delete window;
    if (blocker_ && qApp) qApp->removeEventFilter(blocker_.get());
}

void QtView::ensure_input_blocker() {
    if (blocker_ || !qApp) return;
    blocker_ = std::make_unique<InputBlocker>(*this);
    qApp->installEventFilter(blocker_.get());
}

void QtView::form_changed(Form& form) {
    auto it = windows_.find(form.name());
    if (!form.loaded) {
        if (it == windows_.end()) return;
        FormWindow* window = it->second;
        windows_.erase(it);
        window->detach();
        window->hide();
        closed_.push_back(window);
        remove_closed_windows();
        return;
    }
    if (it == windows_.end()) {
        ensure_input_blocker();
        it = windows_.emplace(form.name(), new FormWindow(*this, form)).first;
    }
    it->second->sync_form();
}

void QtView::drawing_changed(Form& form) {
    if (FormWindow* w = window(form.name())) w->surface()->update();
}

void QtView::control_changed(Form& form, Control& control) {
    if (FormWindow* w = window(form.name())) w->sync_control(control);
}

FormWindow* QtView::window(const std::string& form) const {
    auto it = windows_.find(form);
    return it == windows_.end() ? nullptr : it->second;
}

QWidget* QtView::control_widget(const std::string& form, const std::string& control) const {
    FormWindow* w = window(form);
    ControlView* view = w ? w->control_view(control) : nullptr;
    return view ? view->widget() : nullptr;
}

QAction* QtView::menu_action(const std::string& form, const std::string& control) const {
    FormWindow* w = window(form);
    return w ? menu_action_of(w->control_view(control)) : nullptr;
}

const std::vector<PaintedItem>& QtView::painted(const std::string& form) const {
    static const std::vector<PaintedItem> none;
    FormWindow* w = window(form);
    return w ? w->surface()->painted() : none;
}

FormWindow* QtView::front_topmost_window() const {
    FormWindow* front = nullptr;
    for (const auto& [name, window] : windows_) {
        const Form* form = window->form();
        if (!form || !form->topmost || !window->isVisible() || window->isMinimized()) continue;
        if (!front || window->front_order() > front->front_order()) front = window;
    }
    return front;
}

void QtView::close_all() {
    for (auto& [name, window] : windows_) {
        window->detach();
        window->hide();
        closed_.push_back(window);
    }
    windows_.clear();
    remove_closed_windows();
}

void QtView::deliver(const std::function<void()>& input) {
    if (pending_) return;  // the program is already unwinding: later input is void
    ++delivering_;
    try {
        input();
    } catch (...) {
        pending_ = std::current_exception();
        if (wait_loop_) wait_loop_->quit();
    }
    --delivering_;
}

void QtView::user_input(std::function<void()> input) {
    if (paused()) {
        deferred_.push_back(std::move(input));
    } else {
        deliver(input);
    }
}

void QtView::rethrow_pending() {
    // Called from program code only (never from inside Qt's dispatch), so the exception unwinds
    // program frames alone, up to the code that dispatched the window messages.
    if (!pending_) return;
    std::exception_ptr error = pending_;
    pending_ = nullptr;
    std::rethrow_exception(error);
}

bool QtView::run_deferred() {
    bool any = !deferred_.empty();
    while (!deferred_.empty() && !paused()) {
        auto input = std::move(deferred_.front());
        deferred_.pop_front();
        deliver(input);
    }
    return any;
}

void QtView::remove_closed_windows() {
    if (delivering_ > 0) return;  // a window's own event handler may still be on the stack
    for (FormWindow* window : closed_) delete window;
    closed_.clear();
}

void QtView::settle_places() {
    for (auto& [name, window] : windows_) window->settle_place();
}

void QtView::beep() { QApplication::beep(); }

int QtView::exec_modal(QDialog& dialog) {
    // The program's timers go on counting while the dialog is up; their events run after it.
    QTimer ticks;
    ticks.setInterval(50);
    QObject::connect(&ticks, &QTimer::timeout, [] { poll_timers(); });
    ticks.start();
    // Window managers keep a dialog above the window it stands over (dialog_parent chose the one
    // in front); the flag keeps it above the windows kept on top as well.
    QWidget* over = dialog.parentWidget();
    bool over_stays_on_top = over && over->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (over_stays_on_top || front_topmost_window()) dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setWindowModality(Qt::ApplicationModal);
    DialogActivation activation(dialog);
    int result = dialog.exec();
    ticks.stop();
    // Without this the keyboard may go nowhere (no window manager) or to a window below.
    if (over && over->isVisible() && !over->isMinimized()) {
        over->raise();
        over->activateWindow();
    }
    rethrow_pending();
    return result;
}

QWidget* QtView::dialog_parent(const std::string& owner) const {
    // A box raised while another is up (a close handler runs at once) goes over that one.
    if (QWidget* up = QApplication::activeModalWidget(); up && up->isVisible()) return up;
    if (FormWindow* front = front_topmost_window()) return front;
    FormWindow* window = owner.empty() ? nullptr : this->window(owner);
    return window && window->isVisible() && !window->isMinimized() ? window : nullptr;
}

}  // namespace tv::platform::qt
