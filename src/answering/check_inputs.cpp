#include "answering/check_inputs.h"

#include "common/answering_files.h"
#include "common/answering_settings.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "common/text_file.h"
#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::answering {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr std::size_t kBookRecords = 999;   // the placeholder and 998 entries
constexpr std::size_t kReplyTextLines = 999;
constexpr std::size_t kLogMails = 199;
constexpr std::size_t kSubjectBytes = 100;
constexpr std::size_t kBodyBytes = 500;
constexpr std::size_t kBodyEndBytes = 250;

std::vector<AddressEntry> load_book(const char* path) {
    std::vector<AddressEntry> entries;
    auto records = read_book_records(path);
    for (std::size_t i = 1; i < records.size() && i < kBookRecords; ++i) {
        if (!is_blank_entry(records[i])) entries.push_back({trim(records[i].name), trim(records[i].address)});
    }
    return entries;
}

// Items 1 to 4 of a record line; missing ones are empty.
std::array<std::string, 4> record_items(std::string line) {
    std::array<std::string, 4> items;
    files::ItemReader reader(std::move(line));
    for (auto& item : items) {
        if (reader.at_end()) break;
        item = reader.next();
    }
    return items;
}

LoggedMail logged_mail(const std::array<std::string, 4>& items) {
    LoggedMail mail;
    mail.items = items;
    mail.date = trim(from_byte(items[0], 7));
    mail.sender = trim(from_byte(items[1], 7));
    std::string subject = trim(from_byte(items[2], 10));
    mail.subject = subject.size() > kSubjectBytes ? left_whole_chars(subject, kSubjectBytes) + "･･･"_sj : subject;
    std::string body = trim(from_byte(items[3], 7));
    mail.body = body.size() > kBodyBytes ? trim(left_whole_chars(body, kBodyEndBytes)) + " （中略）"_sj +
                                               trim(right_whole_chars(body, kBodyEndBytes))
                                         : body;
    return mail;
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
    auto lines = files::read_lines(kAnsweringLog);
    if (!lines) return log;
    log.exists = true;
    for (auto& line : *lines) {
        auto items = record_items(std::move(line));
        if (is_blank(items[0]) && is_blank(items[1]) && is_blank(items[2])) continue;
        if (log.mails.size() < kLogMails) {
            log.mails.push_back(logged_mail(items));
        } else {
            log.later.push_back(std::move(items));
        }
    }
    return log;
}

std::string record_line(const std::array<std::string, 4>& items) {
    return summary_record_line(items[0], items[1], items[2], items[3]);
}

void keep_unhandled_records(const AnsweringLog& log, std::size_t first) {
    std::vector<std::string> kept;
    for (std::size_t i = first; i < log.mails.size(); ++i) kept.push_back(record_line(log.mails[i].items));
    for (const auto& items : log.later) kept.push_back(record_line(items));
    if (kept.empty()) {
        files::remove_if_exists(kAnsweringLog);
    } else {
        files::write_lines(kAnsweringLog, kept);
    }
}

}  // namespace tv::answering
