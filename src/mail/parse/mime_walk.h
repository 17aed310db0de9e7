// Which parts of a mail are its body and which are attachments.
//
// The body is every text part that is not marked as an attachment, in order: text/plain, a text
// type without its subtype and any text subtype that is not a data format of another program. A
// mail without one has its first HTML part as the body, whose markup the program converts
// itself. Of a multipart/alternative only the plain alternative is read (else the HTML one, else
// the last). A body part that carries a file name is saved as well. Forwarded messages are shown
// after the text and saved whole. Every other part is an attachment: files, inline images,
// further HTML parts.
#pragma once

#include <gmime/gmime.h>

#include <vector>

namespace tv::mail {

struct MailParts {
    std::vector<GMimePart*> body;                // text parts, in mail order
    std::vector<GMimeMessagePart*> forwarded;    // messages shown after the text, in mail order
    std::vector<GMimeObject*> attachments;       // GMimePart or GMimeMessagePart, in mail order
};

MailParts find_parts(GMimeParserOptions* options, GMimeObject* top);

}  // namespace tv::mail
