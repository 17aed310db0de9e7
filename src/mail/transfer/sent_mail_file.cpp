#include "mail/transfer/sent_mail_file.h"

#include <cstdio>

#include "common/paths.h"
#include "common/request_lines.h"
#include "common/text_file.h"
#include "mail/transfer/mail_names.h"

namespace tv::mail {

namespace {

constexpr const char* kSentBox = "SOUSINBOX";
constexpr const char* kSentExtension = ".txt";

std::string date_text(std::time_t date) {
    std::tm tm{};
    localtime_r(&date, &tm);
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buffer;
}

}  // namespace

std::vector<std::string> sent_mail_lines(const SendRequest& request, std::time_t date) {
    std::vector<std::string> lines{"DATE:" + date_text(date), "FROM:" + request.from, "TO:" + request.to,
                                   "SUBJECT:" + request.subject, "BODY:", ""};
    // A body line must never read as an attachment line.
    for (const auto& line : request.body) lines.push_back(guard_body_line(line));
    for (const auto& path : request.attachments) lines.push_back(std::string(kAttachmentPrefix) + path);
    if (request.attachments.empty()) lines.emplace_back(kAttachmentPrefix);
    return lines;
}

std::string write_sent_mail_file(const SendRequest& request, std::time_t date) {
    files::make_folder(kSentBox);
    std::string name = next_mail_names(kSentBox, 1, kSentExtension, date).front();
    files::write_lines_atomic(files::join(kSentBox, name), sent_mail_lines(request, date));
    return name;
}

}  // namespace tv::mail
