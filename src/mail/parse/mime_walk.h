// Which parts of a mail are its body and which are attachments.
//
// The body is every inline text/plain part, in order; a mail without one has its first inline
// HTML part as the body, whose markup the program converts itself. Of a multipart/alternative
// only the plain alternative is read (else the HTML one, else the last). Every other part is an
// attachment: files, inline images, further HTML parts and forwarded messages (saved whole).
#pragma once

#include <gmime/gmime.h>

#include <vector>

namespace tv::mail {

struct MailParts {
    std::vector<GMimePart*> body;           // text parts, in mail order
    std::vector<GMimeObject*> attachments;  // GMimePart or GMimeMessagePart, in mail order
};

MailParts find_parts(GMimeObject* top);

}  // namespace tv::mail
