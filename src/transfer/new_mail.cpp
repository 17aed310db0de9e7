#include "transfer/new_mail.h"

#include "common/answering_files.h"
#include "common/answering_log.h"
#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/receive_list_row.h"
#include "common/request_lines.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "common/text_file.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/receive_list.h"
#include "store/summary_writer.h"
#include "transfer/transfer_windows.h"

namespace tv::transfer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {


bool is_end(const std::string& trimmed) { return ParseResult::is_end_line(trimmed); }

bool has_double_byte_other_than_blank(const std::string& line) {
    for (std::size_t i = 0; i < line.size();) {
        std::size_t len = char_length(line, i);
        if (len == 2 && line.compare(i, 2, "\x81\x40") != 0) return true;
        i += len;
    }
    return false;
}

std::string double_byte_only(const std::string& line) {
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t len = char_length(line, i);
        if (len == 2) out.append(line, i, 2);
        i += len;
    }
    return trim(out);
}

std::string join_crlf(const std::vector<std::string>& s, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i <= to && i <= s.size(); ++i) {
        if (!out.empty() || i > from) out += kLineMarker;
        out += break_line_markers(s[i - 1]);
    }
    return out;
}

// The HTML form of the body summary: the lines that read as text, double-byte characters only.
std::string html_summary(const std::vector<std::string>& s) {
    static const char* kDropped[] = {"こちらから", "はこちら", "こちらのヘルプ", "こちらをクリック", "本文", "は、こちら",
                                     "ヘッダ情報", "ヘッダ右上", "ヘッダ広告", "ヘッダー広告", "フッタ情報", "トップへ",
                                     "上へ戻る"};
    std::string out = "Body: ";
    for (std::size_t i = 6; i <= s.size(); ++i) {
        const std::string& line = s[i - 1];
        std::string upper = upper_ascii(line);
        bool dropped = false;
        for (const char* phrase : kDropped) dropped |= contains_whole_chars(line, sj(phrase));
        if (dropped || line.rfind("<!", 0) == 0) continue;
        bool html = upper.find("HTML") != std::string::npos;
        if (html && !line.empty() && line[0] == '<') continue;
        if (contains_whole_chars(line, "？"_sj)) continue;
        if (html) {
            out += break_line_markers(line) + std::string(kLineMarker);
            continue;
        }
        if (!is_blank(line) && !has_double_byte_other_than_blank(line)) continue;
        out += double_byte_only(line) + std::string(kLineMarker);
    }
    return out + std::string(kAttachmentPrefix) + std::string(kLineMarker) + std::string(exchange::kEndLine);
}

// The names of the mail's own attachments that its body summary shows: the only files a forward
// of it may carry, whatever its text names.
std::string shown_attachment_names(const ParseResult& result, const std::string& summary) {
    std::vector<std::string> names;
    for (const auto& line : result.attachment_lines()) {
        std::string name = trim(from_byte(trim(line), 15));
        if (!name.empty() && summary.find("TENPFIL\\" + name) != std::string::npos) names.push_back(name);
    }
    return joined_attachment_names(names);
}

// The parse's marks of the mail, one item of blank-separated words.
std::string joined_marks(const ParseResult& result) {
    std::string marks;
    for (const auto& mark : result.marks()) {
        if (!marks.empty()) marks += ' ';
        marks += mark;
    }
    return marks;
}

}  // namespace

UnsavedAttachment unsaved_attachment(const ParseResult& result) {
    if (result.has_mark(exchange::kMarkDiskFull)) return UnsavedAttachment::DiskFull;
    if (result.has_mark(exchange::kMarkAttachmentNotSaved)) return UnsavedAttachment::NotSaved;
    return UnsavedAttachment::None;
}

std::string shorten_400(const std::string& text) {
    if (text.size() <= 400) return text;
    return left_whole_chars(text, 200) + " （中略）"_sj + right_whole_chars(text, 200);
}

std::vector<std::string> stored_lines(const ParseResult& result) {
    std::vector<std::string> stored;
    std::size_t read = 0;
    for (const std::string& line : result.lines()) {
        std::string t = trim(line);
        if (++read <= 20 || is_attachment_line(t) || is_end(t)) stored.push_back(shorten_400(t));
        if (is_end(t)) break;
    }
    return stored;
}

std::string body_summary(const std::vector<std::string>& s) {
    std::size_t doctype = 0, closing = 0;
    for (std::size_t i = 5; i <= s.size(); ++i) {
        std::string upper = upper_ascii(s[i - 1]);
        if (upper.find("DOCTYPE HTML PUBLIC") != std::string::npos) doctype = i;
        if (upper.find("</HTML>") != std::string::npos) closing = i;
    }
    std::string summary;
    if (doctype) {
        summary = closing == s.size() ? std::string() : trim(join_crlf(s, closing ? closing + 1 : 1, s.size()));
    } else if (s.size() >= 5 && upper_ascii(s[4]).find("<HTML>") != std::string::npos) {
        summary = html_summary(s);
    } else {
        summary = trim(join_crlf(s, 5, s.size()));
    }
    return shorten_400(summary);
}

std::string clean_body(const std::string& body) {
    std::string out;
    for (std::size_t i = 1; i <= body.size(); ++i) {
        char c = body[i - 1];
        if (c == '"') {
            if (i == 7 || i == body.size()) continue;
            out += '\xA5';
        } else if (c != ',') {
            out += c;
        }
    }
    return trim(out);
}

LoggedBody logged_body(const ParseResult& result) {
    if (result.without_content()) return {};
    std::string body = clean_body(body_summary(stored_lines(result)));
    std::string attachments = shown_attachment_names(result, body);
    return {std::move(body), std::move(attachments)};
}

NewMail take_new_mail(const std::string& name, const NewMailTaking& taking) {
    const bool manual = taking.manual;
    const std::string& mark = taking.mark;
    const auto& box = store::receive_box();
    // The marks of an earlier mail must never pass for this one's.
    ParseResult result = store::PARSE_MAIL(store::request_path(box.mail_folder, name), store::ParseCaller::Receive,
                                           [] { files::remove_if_exists(exchange::kParseMarksFile); });
    // An empty or cut-short result still gives the mail its row and its record, from what came.
    bool empty_result = result.without_content();
    auto kept = [&](const std::string& line) { return empty_result ? std::string() : shorten_400(trim(line)); };
    if (manual && pf::forms().is_loaded("FORM5")) draw_receive_sender(kept(result.sender_line()));
    pf::pause(20);

    std::vector<std::string> stored = stored_lines(result);
    // An attachment the parse could not save still marks the mail: a later view saves it.
    std::string flag = result.attachment_flag(stored);
    std::string date = trim(kept(result.date_line()));
    std::string sender = trim(CLEAN_SENDER_LINE(trim(kept(result.sender_line()))));
    std::string subject = trim(CLEAN_SUBJECT_LINE(trim(kept(result.subject_line()))));
    LoggedBody logged = logged_body(result);

    if (manual) pf::EVENT_PUMP();
    std::string row = build_receive_row(from_byte(sender, 7), flag, mark + trim(from_byte(subject, 10)), from_byte(date, 7));
    if (is_blank(row.substr(0, 50)) && is_blank(row.substr(119))) {
        row = build_receive_row(name, flag, mark, receipt_time_from_name(name));
    }

    if (taking.for_answering) {
        pf::pause(20);
        append_answering_record({date, sender, subject, logged.body, joined_marks(result), logged.attachments, name, ""});
        pf::pause(20);
    }
    store::write_record_items(box.record_folder, name, date, sender, subject, flag);
    pf::pause(20);
    return {row, unsaved_attachment(result)};
}

}  // namespace tv::transfer
