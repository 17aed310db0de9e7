// Reads one mail with GMime into the values of its parse result, saving its attachments.
#pragma once

#include <gmime/gmime.h>

#include <string>

#include "mail/parse/attachment_folder.h"
#include "mail/parse/parse_result.h"

namespace tv::mail {

// GMime's options for every parse. Calls g_mime_init on first use.
GMimeParserOptions* parser_options();

// The content of a part, its transfer encoding undone.
std::string decoded_content(GMimePart* part);

// The values of the mail in `stream`. A stream that holds no mail gives unreadable_mail() with
// `receipt_date`, which is also the date of a mail without a usable one.
ParsedMail read_mail(GMimeStream* stream, const std::string& receipt_date, AttachmentFolder& folder);

}  // namespace tv::mail
