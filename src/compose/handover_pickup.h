// The compose window's timer TIMER2: it takes over a handed-over recipient and reply draft, and
// otherwise keeps the attachment line current.
#pragma once

namespace tv::compose {

void TIMER2_TIMER();

}  // namespace tv::compose
