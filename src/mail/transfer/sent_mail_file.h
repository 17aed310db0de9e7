// The sent-mail file in SOUSINBOX, CP932: "DATE:" and the date (at most 20 bytes), "FROM:",
// "TO:", "SUBJECT:", a "BODY:" line, one filler line, the body, then "FILE:" and the path of each
// attachment, or one bare "FILE:". Its name sorts after every file of the folder.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "mail/transfer/send_request.h"

namespace tv::mail {

// The lines of the file for a request sent at `date`.
std::vector<std::string> sent_mail_lines(const SendRequest& request, std::time_t date);

// Writes the file; returns its name.
std::string write_sent_mail_file(const SendRequest& request, std::time_t date);

}  // namespace tv::mail
