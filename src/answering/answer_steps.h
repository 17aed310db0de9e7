// The two steps every mail of a check goes through: the forward to the forward address, then the
// reply to its sender. Each sends at most one mail through SOUSIN.
#pragma once

#include <cstddef>

#include "answering/check_inputs.h"

namespace tv::answering {

// How far a check got: the mails fully handled, and whether the next one's forward is done. A
// step counts as done once its mail was handed to SOUSIN (sent or kept unsent), so no retry sends
// it twice.
struct CheckProgress {
    std::size_t mails_done = 0;
    bool forward_done = false;
};

void forward_step(const LoggedMail& mail, const CheckInputs& in, CheckProgress& progress);
void reply_step(const LoggedMail& mail, const CheckInputs& in, CheckProgress& progress);

}  // namespace tv::answering
