// Addresses as the request writes them: "name<address>" (the address inside the last "<" ">"),
// or bare addresses separated by commas.
#pragma once

#include <string>
#include <vector>

namespace tv::mail {

struct Mailbox {
    std::string name;     // CP932, without surrounding quotes; may be empty
    std::string address;  // ASCII
};

// One mailbox from "name<address>" or a bare address.
Mailbox parse_mailbox(const std::string& text);

// The recipients of a "TO:" value: one when it holds an address in angle brackets, else the
// comma-separated list. Raises TransferError(kRequest) naming an address that cannot be sent to,
// and for an angle-bracket value that holds more than its one recipient.
std::vector<Mailbox> parse_recipients(const std::string& text);

// Whether an address can go into an SMTP envelope: printable ASCII without blanks or brackets,
// with an at sign that has text on both sides.
bool is_sendable_address(const std::string& address);

}  // namespace tv::mail
