// Reads one mail with GMime into the values of its parse result, saving its attachments.
#pragma once

#include <gmime/gmime.h>

#include <string>

#include "mail/parse/attachment_folder.h"
#include "mail/parse/parse_result.h"

namespace tv::mail {

// GMime's options for every parse: raw 8-bit header text is read as UTF-8 where it is well-formed,
// else as CP932, and as EUC-JP only where CP932 cannot read it. EUC-JP before CP932 would take
// CP932 text whose lead bytes are all 0x81-0x9F ("ソフト表示") for C1 controls and kana. Calls
// g_mime_init on first use.
GMimeParserOptions* parser_options();

// The content of a part, its transfer encoding undone.
std::string decoded_content(GMimePart* part);

// The values of the mail in `stream`. A stream that holds no mail gives unreadable_mail() with
// `receipt_date`, which is also the date of a mail without a usable one.
ParsedMail read_mail(GMimeStream* stream, const std::string& receipt_date, AttachmentFolder& folder);

}  // namespace tv::mail
