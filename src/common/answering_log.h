// AnsweringLogRecord: one line of the answering log per mail received during an answering check,
// six double-quoted items separated by commas: the date line, the cleaned sender, subject and
// body-summary lines as the receive takes them, then what the parse told of the mail (its marks,
// separated by blanks) and the names of the mail's own attachments that the summary shows.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

enum LogItem { kLogDate, kLogSender, kLogSubject, kLogBody, kLogMarks, kLogAttachments };
using AnsweringLogItems = std::array<std::string, 6>;

// The record line (without CR LF); double quotes, which would end an item, are left out.
std::string answering_log_line(const AnsweringLogItems& items);
// The items of a record line; items the line lacks are empty.
AnsweringLogItems answering_log_items(std::string line);

// Whether a marks item holds `mark` as one of its words.
bool has_mark(std::string_view marks, std::string_view mark);

// The attachments item: the names joined by "/", which no saved attachment name holds; and back.
std::string joined_attachment_names(const std::vector<std::string>& names);
std::vector<std::string> attachment_names_of(std::string_view item);

// The marker that joins the lines of a body summary ("CrLf", four letters).
inline constexpr std::string_view kLineMarker = "CrLf";
// `text` with every marker in it broken ("CrL_f"), so that no text can pass for a line end.
std::string break_line_markers(std::string_view text);

}  // namespace tv
