// The recipient line of a send request ("TO:" and this text) as the mail component sends it: a list
// of mailboxes separated by commas (or semicolons), each a bare address or a display name, quoted or
// not, with its address in angle brackets; a comma or semicolon inside double quotes belongs to the
// name. GMime reads each mailbox. The compose window reads a To box with the same rule, so that what
// it lets go is what the component sends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv {

struct Recipient {
    std::string name;     // CP932, without surrounding quotes; may be empty
    std::string address;  // ASCII
};

struct RecipientLine {
    std::vector<Recipient> recipients;
    std::string fault;  // CP932, why the line cannot be sent, naming the part that is wrong; empty when it can
};

// One mailbox from "name<address>" or a bare address; no check. For the sender's line, which the
// program writes from the account.
Recipient read_mailbox(std::string_view text);

// The recipients of the line, or its fault: no recipient, or a part that is not one mailbox with an
// address that can be sent to (a group, two mailboxes without a comma between them, an unclosed
// quote). A line with a fault has no recipients: nothing of it is sent.
RecipientLine read_recipient_line(std::string_view text);

// Whether an address can go into an SMTP envelope: printable ASCII without blanks or brackets,
// with an at sign that has text on both sides.
bool is_sendable_address(std::string_view address);

}  // namespace tv
