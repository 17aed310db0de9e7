// MailSummaryRecord: one ".dxd" file per received mail, one line of four double-quoted items:
// the date line, the cleaned sender line, the cleaned subject line and the attachment flag.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/parse_result.h"

namespace tv {

struct SummaryItems {
    std::string date;      // "DATE: ..." as written
    std::string sender;    // "FROM: ..."
    std::string subject;   // "SUBJECT: ..."
    std::string flag = " ";
    bool any = false;      // at least one record was read
};

// The record name of a mail file: the trimmed name up to its last "." (the whole name without
// one), followed by ".dxd".
std::string SUMMARY_RECORD_NAME(std::string_view mail_file_name);

// The record items of result line 2 and line 4 (both trimmed by the caller).
std::string CLEAN_SENDER_LINE(std::string_view sender_line);
std::string CLEAN_SUBJECT_LINE(std::string_view subject_line);

// A sender text that holds "\(" or "\)" (its backslash at a character start) loses every backslash;
// the second byte of a double-byte character is never taken for one. Any other text stays as it is.
std::string without_parenthesis_escapes(std::string_view sender);

// The record line (without CR LF). The date loses its double quotes, which would end the item.
std::string summary_record_line(std::string_view date, std::string_view sender, std::string_view subject,
                                 std::string_view flag);

// The record items of a parse result as the list repairs take them without writing a record:
// lines 1, 2 and 4 as read, the sender and subject lines cleaned, the result's attachment flag.
SummaryItems summary_items_of(const ParseResult& result);

// Reads a record file four items at a time to its end, so the last record counts. nullopt when
// the file does not exist; an empty file gives the start values. A file that ends inside a
// record raises error 54.
std::optional<SummaryItems> read_summary_record(std::string_view path);

}  // namespace tv
