#include "answering/main_timer.h"

#include "answering/reply_log.h"
#include "common/globals.h"
#include "platform/platform.h"
#include "transfer/status_panel.h"

namespace tv::answering {

namespace pf = tv::platform;

void TIMER1_TIMER() {
    Globals& g = globals();
    if (g.ANSWER_CHECK_RUNNING > 0) return;
    if (++g.HINT_TICKS > 10000) g.HINT_TICKS = 0;
    if (g.HINT_TICKS % 30 == 0) transfer::draw_hint_panel();
    pf::pause(20);
    if (++g.REPLY_LOG_SWEEP_TICKS > 909) g.REPLY_LOG_SWEEP_TICKS = 11;
    if (g.REPLY_LOG_SWEEP_TICKS == 1 || g.REPLY_LOG_SWEEP_TICKS == 900) purge_reply_logs();
}

}  // namespace tv::answering
