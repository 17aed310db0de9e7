// Timer controls: an enabled timer raises "<NAME>_TIMER" once every ten of its periods, counted on
// the clock and queued like any event. A tick that falls due while one is still waiting is not
// queued twice.
#pragma once

#include "platform/forms.h"

namespace tv::platform {

void start_timer(Control& timer);
void stop_timer(Control& timer);

// Queues the ticks that are due; called where window messages are dispatched.
void poll_timers();

}  // namespace tv::platform
