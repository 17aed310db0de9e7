// What the answering mode must know of a mail beyond its parse result, from the mail's own header
// block and parts: whether a mailing list or a machine sent it (no automatic reply may answer it),
// and whether it is a bounce that returns one of the mode's own forwards (forwarding it again
// would loop). The marks are those of exchange_files.h.
#pragma once

#include <gmime/gmime.h>

#include <string>
#include <vector>

namespace tv::mail {

std::vector<std::string> mail_marks(GMimeParserOptions* options, GMimeMessage* message);

}  // namespace tv::mail
