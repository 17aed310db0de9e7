// The recipient line of a send request ("TO:" and this text) as the mail component sends it: one
// recipient when the text holds an address in angle brackets (the address inside the last "<" ">",
// the text before it its display name), else bare addresses separated by commas. The compose
// window reads a To box with the same rule, so that what it lets go is what the component sends.
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
    std::string fault;  // CP932, why the line cannot be sent; empty when it can
};

// One mailbox from "name<address>" or a bare address; no check.
Recipient read_mailbox(std::string_view text);

// The recipients of the line, or its fault: no recipient, an address that cannot be sent to, or a
// bracketed line that holds more than its one recipient (text after the ">", or a list of
// addresses before the name), which would be dropped without a word.
RecipientLine read_recipient_line(std::string_view text);

// Whether an address can go into an SMTP envelope: printable ASCII without blanks or brackets,
// with an at sign that has text on both sides.
bool is_sendable_address(std::string_view address);

}  // namespace tv
