// Receiving: the receive button and JUSIN.
#pragma once

namespace tv::transfer {

// The receive button: a manual receive with the progress window.
void BUTTON3_ON();

// One receive, manual or silent (MANUAL_TRANSFER). Returns in every case, with the main window
// enabled and MANUAL_TRANSFER 0.
void JUSIN();

}  // namespace tv::transfer
