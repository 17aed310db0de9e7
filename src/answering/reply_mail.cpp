#include "answering/reply_mail.h"

#include <algorithm>

#include "answering/answer_request.h"
#include "common/answering_files.h"
#include "common/exchange_files.h"
#include "common/sjis.h"

namespace tv::answering {

namespace {
constexpr std::size_t kMaxAttachments = 199;
}  // namespace

std::vector<std::string> reply_request(const std::string& address, const AccountData& account,
                                       const std::string& subject, const std::vector<std::string>& text_lines,
                                       const std::vector<std::string>& attachment_names) {
    const std::vector<std::string> no_text{""};
    std::span<const std::string> names(attachment_names);
    return answer_request(address, account, std::string(exchange::kReplySubjectMark) + trim(subject),
                          text_lines.empty() ? no_text : text_lines,
                          kReplyAttachmentFolder, names.first(std::min(names.size(), kMaxAttachments)));
}

}  // namespace tv::answering
