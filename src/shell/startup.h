// The program's start-up sequence and its run.
#pragma once

namespace tv::shell {

// Everything from the first step to the entry of the event loop.
void START_UP_SEQUENCE();

// The whole run: the start-up sequence, then the event loop, under the global error trap.
// Returns when the program has ended.
void run_program();

}  // namespace tv::shell
