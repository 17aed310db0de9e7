#include "platform/timers.h"

#include "platform/events.h"
#include "platform/platform.h"

namespace tv::platform {

namespace {
std::int64_t ticks() { return services().clock ? services().clock->ticks_ms() : 0; }
}  // namespace

void start_timer(Control& timer) {
    timer.timer_enabled = true;
    timer.timer_started_ms = ticks();
    timer.timer_ticks_done = 0;
}

void stop_timer(Control& timer) { timer.timer_enabled = false; }

void poll_timers() {
    std::int64_t now = ticks();
    forms().for_each_loaded([&](Form& form) {
        for (Control* control : form.controls()) {
            if (control->kind() != ControlKind::Timer || !control->timer_enabled || control->interval <= 0) continue;
            std::int64_t period = static_cast<std::int64_t>(control->interval) * 10;
            std::int64_t due = (now - control->timer_started_ms) / period;
            if (due <= control->timer_ticks_done) continue;
            control->timer_ticks_done = due;
            // A timer running on while nothing is pumped (a message box is up) must not fill the
            // queue, or a window's load event queued after it would be dropped.
            std::string event = control->name() + "_TIMER";
            if (!event_queue().waiting(event)) event_queue().post(event);
        }
    });
}

}  // namespace tv::platform
