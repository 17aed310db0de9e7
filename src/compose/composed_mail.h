// The mail in the compose window as sending and saving take it, their common checks, and the send
// request they write.
#pragma once

#include <string>
#include <vector>

#include "compose/body_lines.h"

namespace tv::compose {

struct ComposedMail {
    std::string recipient;                 // the To box, trimmed
    std::string subject;                   // the subject box, trimmed
    std::vector<std::string> body;         // LIST14
    std::vector<std::string> attachments;  // LIST12, trimmed
};

// What the compose window holds now.
ComposedMail composed_mail();

enum class ComposeAction { Send, Save };

// The account must be set, the mail component present (else the program ends) and the form filled
// in: each refusal is told in its own box and false returned. UNSENT_MODE is 0 afterwards.
bool ready_to(ComposeAction action, const ComposedMail& mail);

// The sender's "FROM:" line, the account read again as the request is built.
std::string from_line();

// The send request: "TO:", "FROM:", "SUBJECT:", the body lines, one "FILE:" line per attachment (a
// bare "FILE:" when there is none) and "MAIL_END".
std::vector<std::string> request_lines(const ComposedMail& mail, const std::string& from_line);

}  // namespace tv::compose
