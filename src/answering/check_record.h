// The answering log as the record of a check: the mails it received, and for each the steps
// already done. The steps are written down as each ends, so that a check a kill stopped is
// finished by the next one: every mail forwarded (one whose forward went out just before the kill
// may go twice), no sender answered twice.
#pragma once

#include <cstddef>
#include <vector>

#include "answering/check_inputs.h"

namespace tv::answering {

struct AnsweringLog {
    bool exists = false;            // the log exists
    std::vector<LoggedMail> mails;  // its first 199 records that are not blank
};

// Reads the answering log, record by record; a record that lacks items reads them as empty. The
// waiting log of an older version is taken into it first. A record of an older version (it names no
// mail file) names no attachments: an exit may have emptied TENPFIL since.
AnsweringLog load_answering_log();

// One record as the steps read it.
LoggedMail logged_mail(const AnsweringLogItems& items);

// The steps of a mail, each written down as it ends: its forward handed over, its reply logged
// and about to be handed over, and the mail done (its record leaves the log).
void write_down_forwarded(const LoggedMail& mail);
void write_down_reply_handed(const LoggedMail& mail);
void write_down_done(const LoggedMail& mail);

}  // namespace tv::answering
