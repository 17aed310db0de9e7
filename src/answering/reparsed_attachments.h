// A waiting forward's own attachments, saved again from its stored mail. The exit empties TENPFIL,
// and the records that wait for a check forget the names they held there, since a later run may
// save another mail's file under the same name; the forward then parses its mail again, as the
// viewer does, and sends the files that parse gives.
#pragma once

#include "answering/check_inputs.h"
#include "answering/forward_mail.h"

namespace tv::answering {

// Whether the forward of `mail` lacks the names of its files: its body shows attachments, its
// record names its stored mail but none of the files.
bool attachment_names_forgotten(const LoggedMail& mail, const ForwardBody& body);

// `mail` with the body and attachment names of a new parse of its stored copy in the receive box
// (which saves its files in TENPFIL again, under names no other mail's file holds); as it was, with
// no attachments, when that copy is gone or the parse gives nothing. It is still found in the log
// by its record as read.
LoggedMail with_attachments_parsed_again(const LoggedMail& mail);

}  // namespace tv::answering
