#include "mail/transfer/addresses.h"

#include "mail/transfer/transfer_error.h"

namespace tv::mail {

std::vector<Mailbox> parse_recipients(const std::string& text) {
    RecipientLine line = read_recipient_line(text);
    if (!line.fault.empty()) throw TransferError(Failure::kRequest, line.fault);
    return line.recipients;
}

}  // namespace tv::mail
