// What a reply hands to the compose window, built from the parse result of the mail answered: the
// recipient and the quoted body.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::compose {

// The sender address of a From text: inside its last "<" ">", else the whole text, trimmed.
std::string sender_address(std::string_view from_text);

// The address with the display name the address book gives it (as recipient_text writes it), or
// the bare address when the book names it nowhere or with a blank name.
std::string reply_recipient(const std::string& address);

// The quote of a body (its lines as read, a "Body:" prefix already dropped), each line behind ">".
// An HTML mail (its first line holds "<HTML>") is quoted by its Japanese text alone; a mail whose
// HTML part comes first ("DOCTYPE HTML PUBLIC") by what follows the part; any other line by line.
std::vector<std::string> reply_quote(const std::vector<std::string>& body);

}  // namespace tv::compose
