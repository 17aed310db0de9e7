// The Qt Widgets view of the forms model: each loaded form is a top-level window that shows its
// state, controls and drawing list, and user input on it goes to the model through input.h.
// The view never runs or queues events itself.
#pragma once

#include <QAction>
#include <QDialog>
#include <QEventLoop>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/qt/drawing_painter.h"

namespace tv::platform::qt {

class FormWindow;
class InputBlocker;

class QtView : public FormsView {
public:
    QtView();
    ~QtView() override;
    QtView(const QtView&) = delete;
    QtView& operator=(const QtView&) = delete;

    void form_changed(Form& form) override;
    void drawing_changed(Form& form) override;
    void control_changed(Form& form, Control& control) override;

    // The widgets that show the model; null when there are none.
    FormWindow* window(const std::string& form) const;
    QWidget* control_widget(const std::string& form, const std::string& control) const;
    QAction* menu_action(const std::string& form, const std::string& control) const;
    // What the last paint of a form's surface drew, in order (empty when none).
    const std::vector<PaintedItem>& painted(const std::string& form) const;
    // The window kept on top that is in front of the others kept on top (the one shown, brought
    // to the front or activated last), null when none shows.
    FormWindow* front_topmost_window() const;
    // Orders the windows as they come to the front.
    std::uint64_t next_front_order() { return ++front_orders_; }

    // Removes every window (the program ends).
    void close_all();

    // User input from a widget. Program code it runs (a close handler) may throw; the exception is
    // held and rethrown by rethrow_pending() once control is back outside Qt's event dispatch.
    void deliver(const std::function<void()>& input);
    // Input the window system reports (a close request, minimising): during a pause it waits for
    // the next dispatch of window messages.
    void user_input(std::function<void()> input);
    void rethrow_pending();

    // A pause of the program: only painting goes on.
    void begin_pause() { ++pauses_; }
    void end_pause() { --pauses_; }
    bool paused() const { return pauses_ > 0; }
    // Runs input held back by a pause; true when there was some.
    bool run_deferred();
    // The loop of a wait for a file descriptor: input that ends in an exception stops it.
    void set_wait_loop(QEventLoop* loop) { wait_loop_ = loop; }
    // Destroys windows of unloaded forms once no input of theirs is being delivered.
    void remove_closed_windows();
    // Windows the program placed move by their frames once the window manager has framed them.
    void settle_places();

    void beep();
    // Shows a dialog modal to the program: window messages go on, queued events wait, timer ticks
    // are counted. The dialog takes the keyboard when it shows, and stays on top while a window
    // kept on top shows; the window it stood over has the keyboard back after it. Returns the
    // dialog's result; a pending exception of the program is rethrown.
    int exec_modal(QDialog& dialog);
    // The window to put a dialog of `owner` over, so that it shows in front of every window: the
    // dialog already up, else the window kept on top in front, else the owner's window; null
    // when none of them shows.
    QWidget* dialog_parent(const std::string& owner) const;

private:
    void ensure_input_blocker();

    std::map<std::string, FormWindow*> windows_;
    std::vector<FormWindow*> closed_;
    std::deque<std::function<void()>> deferred_;
    std::exception_ptr pending_;
    int pauses_ = 0;
    QEventLoop* wait_loop_ = nullptr;
    int delivering_ = 0;
    std::unique_ptr<InputBlocker> blocker_;
    std::uint64_t front_orders_ = 0;
};

}  // namespace tv::platform::qt
