// The outgoing message, built with GMime: From, To, Subject, Date, Message-ID, MIME-Version (and
// Auto-Submitted for an automatic reply); the body as text/plain in the charset that fits;
// attachments base64 with encoded file names.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "mail/transfer/addresses.h"

namespace tv::mail {

struct Attachment {
    std::string name;  // CP932 file name, without folder
    std::string data;
};

struct OutgoingMail {
    Mailbox from;
    std::vector<Mailbox> to;
    std::string subject;             // CP932
    std::vector<std::string> body;   // CP932 lines
    std::vector<Attachment> attachments;
    std::time_t date = 0;
    std::string id_domain;           // the domain of the Message-ID
    bool automatic_reply = false;    // marked Auto-Submitted: auto-replied
};

// The message in wire form, every line ended by CR LF.
std::string build_message(const OutgoingMail& mail);

}  // namespace tv::mail
