#include "answering/answer_request.h"

#include "common/paths.h"
#include "common/request_lines.h"
#include "common/sjis.h"

namespace tv::answering {

std::vector<std::string> answer_request(const std::string& to, const AccountData& account, const std::string& subject,
                                        std::span<const std::string> body, std::string_view folder,
                                        std::span<const std::string> attachment_names) {
    std::vector<std::string> lines{"TO:" + to, account.from_line(), "SUBJECT:" + subject};
    for (const auto& line : body) lines.push_back(guard_body_line(trim(line)));
    std::size_t files_from = lines.size();
    for (const auto& name : attachment_names) {
        std::string path = files::join(folder, trim(name));
        if (files::file_exists(path)) lines.push_back(std::string(kAttachmentPrefix) + path);
    }
    if (lines.size() == files_from) lines.emplace_back(kAttachmentPrefix);
    lines.emplace_back(kRequestEndLine);
    return lines;
}

}  // namespace tv::answering
