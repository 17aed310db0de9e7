// Addresses as the request writes them, read by the one rule the compose window also checks
// (common/recipient_line.h).
#pragma once

#include <string>
#include <vector>

#include "common/recipient_line.h"

namespace tv::mail {

using Mailbox = Recipient;
using tv::is_sendable_address;
using tv::read_mailbox;

// The recipients of a "TO:" value. Raises TransferError(kRequest) with the line's fault when it
// cannot be sent as it stands.
std::vector<Mailbox> parse_recipients(const std::string& text);

}  // namespace tv::mail
