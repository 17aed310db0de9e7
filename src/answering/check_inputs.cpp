#include "answering/check_inputs.h"

#include "common/answering_files.h"
#include "common/answering_settings.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::answering {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr std::size_t kReplyTextLines = 999;
constexpr std::size_t kLogMails = 199;
constexpr std::size_t kSubjectBytes = 100;
constexpr std::size_t kBodyBytes = 500;
constexpr std::size_t kBodyEndBytes = 250;

// Every entry counts, however long the book: a sender the user refused must stay refused.
std::vector<AddressEntry> load_book(const char* path) {
    std::vector<AddressEntry> entries;
    auto records = read_book_records(path);
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (!is_blank_entry(records[i])) entries.push_back({trim(records[i].name), trim(records[i].address)});
    }
    return entries;
}

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
    mail.attachments = attachment_names_of(items[kLogAttachments]);
    return mail;
}

// The records of a log file that are not blank; `exists` becomes true when the file exists.
std::vector<AnsweringLogItems> log_records(const char* path, bool& exists) {
    std::vector<AnsweringLogItems> records;
    auto lines = files::read_lines(path);
    if (!lines) return records;
    exists = true;
    for (auto& line : *lines) {
        AnsweringLogItems items = answering_log_items(std::move(line));
        if (is_blank(items[kLogDate]) && is_blank(items[kLogSender]) && is_blank(items[kLogSubject])) continue;
        records.push_back(std::move(items));
    }
    return records;
}

const AnsweringLogItems& record_at(const AnsweringLog& log, std::size_t k) {
    return k < log.mails.size() ? log.mails[k].items : log.later[k - log.mails.size()];
}

void write_or_remove(const char* path, const std::vector<std::string>& lines) {
    if (lines.empty()) {
        files::remove_if_exists(path);
    } else {
        files::write_lines(path, lines);
    }
}

// The records after the first `handled`: into the waiting log when the check ended normally or
// they came from there, else back into the answering log.
void keep_records(const AnsweringLog& log, std::size_t handled, bool check_ended) {
    std::vector<std::string> waiting, logged;
    for (std::size_t k = handled; k < log.mails.size() + log.later.size(); ++k) {
        (check_ended || k < log.waiting ? waiting : logged).push_back(record_line(record_at(log, k)));
    }
    write_or_remove(kWaitingLog, waiting);
    write_or_remove(kAnsweringLog, logged);
    globals().WAITING_LOG_OF_THIS_RUN = true;
}

}  // namespace

CheckInputs load_check_inputs() {
    Globals& g = globals();
    CheckInputs in;
    in.specific = load_book(kSpecificSenderBook);
    in.priority = load_book(kPriorityRejectBook);
    in.reject = load_book(kRejectBook);
    in.spam_words = read_spam_words_for_check();
    in.reply_text_name = trim(g.REPLY_TEXT_FILE);
    if (!in.reply_text_name.empty()) {
        std::string path = files::join(kReplyTextFolder, in.reply_text_name);
        if (files::file_exists(path)) {
            in.reply_text_lines = files::read_lines(path).value_or(std::vector<std::string>{});
            if (in.reply_text_lines.size() > kReplyTextLines) in.reply_text_lines.resize(kReplyTextLines);
            for (auto& line : in.reply_text_lines) line = trim(line);
        } else {
            in.reply_text_name.clear();
        }
    }
    in.reply_text_file_count = pf::form("MAINFORM").control("LIST19").count();
    return in;
}

AnsweringLog load_answering_log() {
    AnsweringLog log;
    std::vector<AnsweringLogItems> records = log_records(kWaitingLog, log.exists);
    if (!globals().WAITING_LOG_OF_THIS_RUN) {
        // Written before the last exit, which emptied TENPFIL: files there now are other mails'.
        for (auto& items : records) items[kLogAttachments].clear();
    }
    log.waiting = records.size();
    for (auto& items : log_records(kAnsweringLog, log.exists)) records.push_back(std::move(items));
    for (auto& items : records) {
        if (log.mails.size() < kLogMails) {
            log.mails.push_back(logged_mail(items));
        } else {
            log.later.push_back(std::move(items));
        }
    }
    return log;
}

std::string record_line(const AnsweringLogItems& items) { return answering_log_line(items); }

void keep_waiting_records(const AnsweringLog& log, std::size_t handled) { keep_records(log, handled, true); }

void keep_unhandled_records(const AnsweringLog& log, std::size_t handled) { keep_records(log, handled, false); }

}  // namespace tv::answering
