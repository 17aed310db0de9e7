// What the receive takes of one new mail: its parse result as the receive stores it, the body
// summary, and the row, answering-log record and summary record it writes.
#pragma once

#include <string>
#include <vector>

#include "common/parse_result.h"

namespace tv::transfer {

// The lines the receive keeps of a result: its first 20 lines, then only attachment lines and
// the end line, each trimmed and shortened beyond 400 bytes.
std::vector<std::string> stored_lines(const ParseResult& result);

// The body summary of the stored lines ("CrLf" between lines, at most 409 bytes).
std::string body_summary(const std::vector<std::string>& stored);

// A text longer than 400 bytes: its first and its last 200 bytes at most, cut at whole characters,
// around " （中略）".
std::string shorten_400(const std::string& text);

// Cleaning of the body summary for the answering log.
std::string clean_body(const std::string& body);

// What the answering log holds of a mail's parse result: its cleaned body summary, and the names
// of its own files in TENPFIL that the summary shows (the only files a forward of it may carry).
struct LoggedBody {
    std::string body;
    std::string attachments;
};
LoggedBody logged_body(const ParseResult& result);

// How a new mail is taken: by a manual receive (its progress window shows the sender), and whether
// an answering check received it (its record then goes into the answering log, which the check
// forwards and answers from).
struct NewMailTaking {
    bool manual = false;
    bool for_answering = false;
    std::string mark;  // what the row's subject column begins with
};

// Whether the parse left an attachment of a new mail without its file in TENPFIL, and why; the
// later of two values is the graver.
enum class UnsavedAttachment { None, NotSaved, DiskFull };
UnsavedAttachment unsaved_attachment(const ParseResult& result);

struct NewMail {
    std::string row;
    UnsavedAttachment unsaved = UnsavedAttachment::None;
};

// Takes one new mail of the receive box (parse, log record, summary record) and gives its row.
NewMail take_new_mail(const std::string& file_name, const NewMailTaking& taking);

}  // namespace tv::transfer
