// A mail whose header block ends without its blank line.
//
// The first line that is neither a header field nor a continuation starts the body, as other mail
// readers take it. GMime would drop that line and read on for headers, so the blank line is put
// back before it; the mail file itself stays as it is.
#pragma once

#include <gmime/gmime.h>

#include "mail/parse/gobject_ptr.h"

namespace tv::mail {

// The mail in `stream` from its current position, with the missing blank line added when its
// header block lacks one; else `stream` itself (a new reference either way).
GObjectPtr<GMimeStream> with_header_end(GMimeStream* stream);

}  // namespace tv::mail
