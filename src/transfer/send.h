// Sending: SOUSIN sends the request its caller wrote to SYSTEM_F\DEL_SOUSIN.txt.
#pragma once

namespace tv::transfer {

// What became of the mail: sent; kept in the unsent store (with its attachments); or neither,
// because there was no request to keep when it did not go.
enum class SendOutcome { Sent, KeptUnsent, NoRequest };

// Sends one mail (MANUAL_TRANSFER says whether the user started it). A mail that is not sent
// is never lost: it stays in the unsent store.
SendOutcome SOUSIN();

// Refreshes LIST32 and draws BUTTON72 bold while unsent mail waits.
void refresh_unsent_button();

}  // namespace tv::transfer
