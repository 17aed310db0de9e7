// The names under which attachments are saved in TENPFIL.
//
// A name comes from the sender and is used as a file name and inside the parse result, whose
// readers cut it at fixed places, quote it in comma-separated records and split forwarded bodies
// at the text "CrLf". So the cleaned name is a bare CP932 file name: no folder part, no "..", no
// leading dot (a dot-file is left out of folder listings), no control bytes, no "\", "/", double
// quote or comma, no "CrLf", no blanks at either end, short enough for the disk, never empty.
#pragma once

#include <string>
#include <string_view>

namespace tv::mail {

// The cleaned CP932 name of an attachment named `utf8_name` (may be empty) of MIME type
// `mime_type` ("image/png"), which gives the extension of a name made up for it.
std::string clean_attachment_name(std::string_view utf8_name, std::string_view mime_type);

// "report.pdf" with counter 2 is "report(2).pdf"; counter 1 is the name itself.
std::string numbered_name(std::string_view name, unsigned counter);

}  // namespace tv::mail
