// The main event loop: runs the queued events, then polls the Delete key and the right button.
#pragma once

namespace tv::shell {

// One pass of the loop.
void event_loop_pass();

// Passes without end; the program ends elsewhere.
[[noreturn]] void run_event_loop();

}  // namespace tv::shell
