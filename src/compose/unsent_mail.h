// A stored unsent mail (a send request in SYSTEM_F\BADSOU) as the unsent-mail list and the compose
// window read it back.
#pragma once

#include <string>
#include <vector>

namespace tv::compose {

struct UnsentMail {
    std::string recipient;                 // line 1 after "TO:", as stored
    std::string subject;                   // line 3 after "SUBJECT:", as stored
    std::vector<std::string> body;         // lines 4 on up to the attachments, trailing blanks removed
    std::vector<std::string> attachments;  // the paths of the trailing "FILE:" lines, blank ones left out
};

// Every line is read; only the run of "FILE:" lines right before "MAIL_END" are attachments, so a
// body line that begins with "FILE:" stays in the body.
UnsentMail read_unsent_mail(const std::vector<std::string>& lines);

// The file of an unsent mail; a missing file reads as an empty mail.
UnsentMail read_unsent_file(const std::string& name);

}  // namespace tv::compose
