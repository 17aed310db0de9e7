// Sending: SOUSIN sends the request its caller wrote to SYSTEM_F\DEL_SOUSIN.txt.
#pragma once

namespace tv::transfer {

// What became of the mail: sent; kept in the unsent store (with its attachments); neither, because
// there was no request to keep when it did not go; or neither, because the unsent store could not
// take it (a full disk): then only the request file still holds it.
enum class SendOutcome { Sent, KeptUnsent, NoRequest, NotKept };

// Sends one mail (MANUAL_TRANSFER says whether the user started it). A mail that is not sent
// stays in the unsent store; when the store cannot take it, NotKept tells the caller, which still
// holds the mail.
SendOutcome SOUSIN();

// Refreshes LIST32 and draws BUTTON72 bold while unsent mail waits.
void refresh_unsent_button();

}  // namespace tv::transfer
