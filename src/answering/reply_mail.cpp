#include "answering/reply_mail.h"

#include "common/answering_files.h"
#include "common/paths.h"
#include "common/request_lines.h"
#include "common/sjis.h"

namespace tv::answering {

using namespace tv::literals;

namespace {
constexpr std::size_t kMaxAttachments = 199;
}  // namespace

std::vector<std::string> reply_request(const std::string& address, const AccountData& account,
                                       const std::string& subject, const std::vector<std::string>& text_lines,
                                       const std::vector<std::string>& attachment_names) {
    std::vector<std::string> lines{"TO:" + address, account.from_line(), "SUBJECT:" + "<返>Ｒｅ："_sj + trim(subject)};
    for (const auto& line : text_lines) lines.push_back(guard_body_line(trim(line)));
    if (text_lines.empty()) lines.emplace_back();
    std::size_t files_from = lines.size();
    for (std::size_t i = 0; i < attachment_names.size() && i < kMaxAttachments; ++i) {
        std::string path = files::join(kReplyAttachmentFolder, trim(attachment_names[i]));
        if (files::file_exists(path)) lines.push_back(std::string(kAttachmentPrefix) + path);
    }
    if (lines.size() == files_from) lines.emplace_back(kAttachmentPrefix);
    lines.emplace_back(kRequestEndLine);
    return lines;
}

}  // namespace tv::answering
