// One message over SMTP with libcurl: EHLO with the account's local host name made valid,
// STARTTLS when offered, AUTH with the account's user ID and password when the server offers it.
#pragma once

#include <string>
#include <vector>

#include "mail/transfer/account.h"

namespace tv::mail {

// The local host name (CP932) as an EHLO argument: ASCII letters, digits, "-" and "." kept, other
// ASCII characters turned into "-", all other characters dropped, "-" and "." trimmed from the
// ends; "localhost" when nothing is left.
std::string ehlo_name(const std::string& local_host);

// Sends `message` (wire form) from `sender` to `recipients` (bare addresses); raises TransferError.
void send_over_smtp(const AccountData& account, const std::string& sender, const std::vector<std::string>& recipients,
                    const std::string& message);

}  // namespace tv::mail
