// The timed check of the answering mode: every TIMER3 event counts a tick, and on the first tick
// after the start and then every CHECK_INTERVAL + 1 ticks it receives, forwards and replies.
#pragma once

namespace tv::answering {

void TIMER3_TIMER();

}  // namespace tv::answering
