#include "answering/check_record.h"

#include <algorithm>
#include <string_view>

#include "common/answering_files.h"
#include "common/answering_log.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv::answering {

using namespace tv::literals;

namespace {

constexpr std::size_t kLogMails = 199;
constexpr std::size_t kSubjectBytes = 100;
constexpr std::size_t kBodyBytes = 500;
constexpr std::size_t kBodyEndBytes = 250;

// Before this version a check put the records it could not reach into a log of their own.
void take_in_waiting_log() {
    auto lines = files::read_lines(kWaitingLog);
    if (!lines) return;
    std::vector<AnsweringLogItems> waiting;
    for (auto& line : *lines) waiting.push_back(answering_log_items(std::move(line)));
    edit_answering_log([&](std::vector<AnsweringLogItems>& records) {
        records.insert(records.begin(), waiting.begin(), waiting.end());
    });
    files::remove_if_exists(kWaitingLog);
}

// Writes the steps of `mail` as `steps`, or takes its record out when `steps` is empty.
void write_down(const LoggedMail& mail, std::string_view steps) {
    edit_answering_log([&](std::vector<AnsweringLogItems>& records) {
        auto found = std::find_if(records.begin(), records.end(),
                                  [&](const AnsweringLogItems& items) { return same_logged_mail(items, mail.items); });
        if (found == records.end()) return;
        if (steps.empty()) {
            records.erase(found);
        } else {
            (*found)[kLogSteps] = std::string(steps);
        }
    });
}

}  // namespace

LoggedMail logged_mail(const AnsweringLogItems& items) {
    LoggedMail mail;
    mail.items = items;
    mail.date = trim(from_byte(items[kLogDate], 7));
    mail.sender = trim(from_byte(items[kLogSender], 7));
    std::string subject = trim(from_byte(items[kLogSubject], 10));
    mail.subject = subject.size() > kSubjectBytes ? left_whole_chars(subject, kSubjectBytes) + "･･･"_sj : subject;
    std::string body = trim(from_byte(items[kLogBody], 7));
    mail.body = body.size() > kBodyBytes ? trim(left_whole_chars(body, kBodyEndBytes)) + " （中略）"_sj +
                                               trim(right_whole_chars(body, kBodyEndBytes))
                                         : body;
    mail.marks = trim(items[kLogMarks]);
    // An older version's record may have outlived an exit that emptied TENPFIL: it names no file.
    if (!items[kLogMailName].empty()) mail.attachments = attachment_names_of(items[kLogAttachments]);
    mail.forwarded = has_mark(items[kLogSteps], kStepForwarded);
    mail.reply_handed = has_mark(items[kLogSteps], kStepReplyHanded);
    return mail;
}

AnsweringLog load_answering_log() {
    take_in_waiting_log();
    AnsweringLog log;
    log.exists = files::file_exists(kAnsweringLog);
    for (const auto& items : read_answering_log()) {
        if (log.mails.size() == kLogMails) break;
        log.mails.push_back(logged_mail(items));
    }
    return log;
}

void write_down_forwarded(const LoggedMail& mail) { write_down(mail, kStepForwarded); }

void write_down_reply_handed(const LoggedMail& mail) {
    write_down(mail, std::string(kStepForwarded) + " " + std::string(kStepReplyHanded));
}

void write_down_done(const LoggedMail& mail) { write_down(mail, ""); }

}  // namespace tv::answering
