// Where a mail comes from, as the answering mode and the mail component both judge it: the
// account's own address, the senders of bounces, and the answering mode's own forwards.
#pragma once

#include <string_view>

namespace tv {

// The same address, trimmed, ASCII letter case aside (as mail servers compare them in practice);
// an empty address is nobody's.
bool same_address(std::string_view a, std::string_view b);

// A sender of bounces and delivery reports: the local part is "mailer-daemon" or "postmaster",
// letter case aside.
bool is_bounce_sender(std::string_view address);

// One of the answering mode's forwards: its subject begins with the forward mark and it was sent
// from `own_address`.
bool is_own_forward(std::string_view subject, std::string_view sender_address, std::string_view own_address);

}  // namespace tv
