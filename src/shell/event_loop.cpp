#include "shell/event_loop.h"

#include "common/globals.h"
#include "folders/keep_on_server_rule.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/timers.h"
#include "store/receive_list.h"

namespace tv::shell {

namespace pf = tv::platform;

namespace {

void pump_all() {
    if (auto* windows = pf::services().window_system) windows->dispatch_pending_messages();
    pf::poll_timers();
    pf::run_queued_events();
}

// Moves the selected mail of either main list to the trash; false when the keep-on-server rule
// refused the move (the pass then skips its pacing pauses).
bool delete_key(bool& moved) {
    pf::Form& main = pf::form("MAINFORM");
    // The press is taken in every pass, so a press while the window was busy never acts later.
    bool pressed = pf::input::take_delete_press("MAINFORM");
    if (main.minimized || !main.enabled || pf::forms().is_loaded("FORM8") || !pressed) return true;
    pf::Control& receive = store::receive_list();
    pf::Control& send = main.control("LIST1");
    if (receive.selected() < 0 && send.selected() < 0) return true;
    Globals& g = globals();
    if (receive.selected() >= 0) {
        int row = receive.selected();
        if (folders::keep_on_server_refuses(row)) {
            receive.select(row);
            main.set_focus("LIST3");
            return false;
        }
        g.DELETE_BOX = 1;
        g.DELETE_ROW = row;
        pf::handlers().run("SAKUJO");
    }
    if (send.selected() >= 0) {
        g.DELETE_BOX = 2;
        g.DELETE_ROW = send.selected();
        pf::handlers().run("SAKUJO");
    }
    pf::pause(20);
    moved = true;
    return true;
}

}  // namespace

void event_loop_pass() {
    pump_all();
    bool moved = false;
    if (delete_key(moved)) {
        pf::Form& main = pf::form("MAINFORM");
        pf::pause(20);
        if (main.visible) {
            pf::pause(20);
        } else {
            pf::pause(20);
            if (main.enabled) pf::pause(20);
        }
    }
    pf::input::RightPress press;
    if (pf::input::take_right_press(press)) pf::handlers().run("EXTGETEVENT");
    pf::pause(10);
}

void run_event_loop() {
    for (;;) event_loop_pass();
}

}  // namespace tv::shell
