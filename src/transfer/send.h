// Sending: SOUSIN sends the request its caller wrote to SYSTEM_F\DEL_SOUSIN.txt.
#pragma once

namespace tv::transfer {

// Sends one mail (MANUAL_TRANSFER says whether the user started it). A mail that is not sent
// is never lost: it stays in the unsent store.
void SOUSIN();

// Refreshes LIST32 and draws BUTTON72 bold while unsent mail waits.
void refresh_unsent_button();

}  // namespace tv::transfer
