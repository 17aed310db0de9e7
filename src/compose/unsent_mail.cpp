#include "compose/unsent_mail.h"

#include "common/paths.h"
#include "common/request_lines.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "transfer/unsent_store.h"

namespace tv::compose {

UnsentMail read_unsent_mail(const std::vector<std::string>& lines) {
    UnsentMail mail;
    if (!lines.empty()) mail.recipient = from_byte(lines[0], 4);
    if (lines.size() >= 3) mail.subject = from_byte(lines[2], 9);
    auto [first, end] = request_attachment_run(lines);
    for (std::size_t i = 3; i < first; ++i) mail.body.push_back(trim_right(lines[i]));
    for (std::size_t i = first; i < end; ++i) {
        std::string path = trim(from_byte(trim_right(lines[i]), kAttachmentPrefix.size() + 1));
        if (!path.empty()) mail.attachments.push_back(path);
    }
    return mail;
}

UnsentMail read_unsent_file(const std::string& name) {
    auto lines = files::read_lines(files::join(transfer::kUnsentFolder, trim(name)));
    return lines ? read_unsent_mail(*lines) : UnsentMail{};
}

}  // namespace tv::compose
