// The send request SYSTEM_F\DEL_SOUSIN.txt, read up to its last "MAIL_END" line: "TO:" and the
// recipient, "FROM:" and the sender, "SUBJECT:" and the subject, the body lines, and as attachments
// the trailing run of "FILE:" lines before "MAIL_END" (a bare "FILE:" names none).
#pragma once

#include <string>
#include <vector>

namespace tv::mail {

struct SendRequest {
    // CP932, as the request holds them (the values trimmed).
    std::string to;
    std::string from;
    std::string subject;
    std::vector<std::string> body;
    std::vector<std::string> attachments;  // paths, relative to the program folder or absolute
};

// Raises TransferError(kRequest) when the file is missing or not laid out as above.
SendRequest read_send_request();

}  // namespace tv::mail
