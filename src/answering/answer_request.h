// The send request of an answering step, the forward or the reply: what both write alike.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/account_file.h"

namespace tv::answering {

// "TO:" and `to`, the account's "FROM:" line, "SUBJECT:" and `subject`, the body lines (each
// trimmed and guarded), a "FILE:" line for each named file that still exists in `folder` (else the
// single "FILE:"), "MAIL_END".
std::vector<std::string> answer_request(const std::string& to, const AccountData& account, const std::string& subject,
                                        std::span<const std::string> body, std::string_view folder,
                                        std::span<const std::string> attachment_names);

}  // namespace tv::answering
