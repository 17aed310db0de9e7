// The main window's housekeeping timer: the right-click hint redrawn every 30th event, the reply
// logs of other days deleted at the 1st, the 900th and then every 899th event. Nothing runs while
// a check does.
#pragma once

namespace tv::answering {

void TIMER1_TIMER();

}  // namespace tv::answering
