// The forward mail: one received mail in the short labelled form a phone shows (date, sender, at
// most fifteen lines of its text, its attachments by name), and its send request.
#pragma once

#include <string>
#include <vector>

#include "answering/check_inputs.h"
#include "common/account_file.h"

namespace tv::answering {

struct ForwardBody {
    // "<日時>", the date, "<差出人>", the sender, "<本文>", then the mail's lines.
    std::vector<std::string> lines;
    // Bare names of the attachments in TENPFIL (at most 199).
    std::vector<std::string> attachment_names;
};

ForwardBody build_forward_body(const LoggedMail& mail);

// The request lines: "TO:" with the bare forward address, the account's "FROM:" line,
// "SUBJECT:<転>" and the subject, the body (each line trimmed and guarded), the "FILE:" lines of
// the attachments that are the mail's own and still in TENPFIL when `with_attachments` (else the
// single "FILE:"), "MAIL_END".
std::vector<std::string> forward_request(const ForwardBody& body, const LoggedMail& mail, const AccountData& account,
                                         const std::string& forward_address, bool with_attachments);

}  // namespace tv::answering
