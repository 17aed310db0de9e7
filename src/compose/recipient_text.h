// The To text that a reply and the destination picker hand to the compose window.
#pragma once

#include <string>
#include <string_view>

namespace tv::compose {

// The display name directly followed by "<", the address and ">"; the address alone when the name
// is blank. The name is trimmed, its commas become full stops and angle brackets are left out, so
// that it never reads as a list or a second address; a name that still would not read as the name
// of that one address (a colon, a semicolon, an open parenthesis) goes in double quotes. So the
// mail component sends the line.
std::string recipient_text(std::string_view name, std::string_view address);

}  // namespace tv::compose
