// The two steps every mail of a check goes through: the forward to the forward address, then the
// reply to its sender. Each sends at most one mail through SOUSIN, and writes down in the answering
// log what it did once its mail was handed over (sent or kept unsent), so that no retry and no later
// check after a kill repeats it: the forward step, unless the log says it was done; the reply step,
// which then takes the mail's record out of the log.
#pragma once

#include "answering/check_inputs.h"

namespace tv::answering {

void forward_step(const LoggedMail& mail, const CheckInputs& in);
void reply_step(const LoggedMail& mail, const CheckInputs& in);

}  // namespace tv::answering
