// The daily reply logs SYSTEM_F\TODAY_HENSIN\<yyyymmdd>_TODAY_HENSIN.txt: one answered address per
// line, so that a sender is answered at most once a day.
#pragma once

#include <string>

namespace tv::answering {

// Whether today's log holds a line (trimmed, not empty) that the trimmed sender text contains.
bool answered_today(const std::string& sender);

// Appends the address to the log of the day it is now, creating the log.
void record_reply(const std::string& address);

// Deletes the logs whose names do not begin with today's stamp, listed through LIST24. A log that
// cannot be deleted stays for the next purge.
void purge_reply_logs();

}  // namespace tv::answering
