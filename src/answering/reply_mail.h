// The reply's send request: the chosen reply text with the reply attachments, to one address.
#pragma once

#include <string>
#include <vector>

#include "common/account_file.h"

namespace tv::answering {

// "TO:" and the address, the account's "FROM:" line, "SUBJECT:<返>Ｒｅ：" and the subject, the
// reply text (each line trimmed and guarded; none gives one empty line), a "FILE:" line for each
// of the first 199 listed attachments that still exists (else the single "FILE:"), "MAIL_END".
std::vector<std::string> reply_request(const std::string& address, const AccountData& account,
                                       const std::string& subject, const std::vector<std::string>& text_lines,
                                       const std::vector<std::string>& attachment_names);

}  // namespace tv::answering
