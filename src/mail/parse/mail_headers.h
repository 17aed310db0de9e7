// The sender, recipients and subject of a mail as the parse result shows them: one line of CP932.
#pragma once

#include <gmime/gmime.h>

#include <optional>
#include <string>

#include "mail/parse/gobject_ptr.h"

namespace tv::mail {

// The raw value of the first header of that name.
std::optional<std::string> raw_header(GMimeObject* object, const char* name);

// "name <address>" with ">" the last byte, or the bare address; the display name decoded and
// without the quotes it had in the header. Empty when the mail names no sender.
std::string sender_text(GMimeParserOptions* options, GMimeMessage* message);

// The address of the mail's first sender mailbox as it stands (no display name); empty when the
// mail names none.
std::string sender_address(GMimeParserOptions* options, GMimeMessage* message);

// The To recipients as free text.
std::string recipients_text(GMimeParserOptions* options, GMimeMessage* message);

std::string subject_text(GMimeParserOptions* options, GMimeMessage* message);

// The subject decoded to UTF-8 (for naming a forwarded message after it).
std::string subject_utf8(GMimeParserOptions* options, GMimeMessage* message);

// The content type a part is read by: its own, except that a text type without its subtype
// ("text; charset=us-ascii", which GMime takes for application/octet-stream) is text/plain with
// the parameters it gives.
GObjectPtr<GMimeContentType> content_type_of(GMimeParserOptions* options, GMimeObject* part);

// The file name a part gives itself (Content-Disposition filename, else Content-Type name),
// decoded to UTF-8; empty when it gives none.
std::string attachment_file_name(GMimeParserOptions* options, GMimeObject* part);

}  // namespace tv::mail
