// The parse result: the lines of SYSTEM_F\YOMITORI.txt for one mail.
//
// Lines 1-5 carry their fixed prefixes, then the body, one attachment line per saved file (or the
// bare "FILE:"), then the end line. The readers give fixed meanings to lines that begin, after
// trimming, with "FILE:", "BODY:" or the end line, read at most 9,998 lines and 32,767 bytes per
// line; the lines built here never give them anything else to read.
#pragma once

#include <string>
#include <vector>

#include "common/exchange_files.h"
#include "common/text_file.h"

namespace tv::mail {

using exchange::kEndLine;
using exchange::kMaxResultLines;
using files::kMaxLineBytes;

// Header lines, the "Body:" line and the end line always stand; the rest may hold attachments.
inline constexpr std::size_t kMaxAttachments = kMaxResultLines - 6;

inline constexpr const char* kUnreadable = exchange::kUnreadableMail;

// One mail's values, CP932. Header values are single lines; the body may hold any line ends.
struct ParsedMail {
    std::string date;
    std::string sender;
    std::string recipients;
    std::string subject;
    std::string body;
    std::vector<std::string> attachments;  // names of the files saved in TENPFIL
    std::vector<std::string> marks;        // what the parse tells beside the result (mail_marks.h)
};

// What a mail that cannot be read at all gives; the answering mode knows it by its sender text.
ParsedMail unreadable_mail(std::string date);

std::vector<std::string> result_lines(const ParsedMail& mail);

}  // namespace tv::mail
