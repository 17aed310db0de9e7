// AnsweringLogRecord: one line of the answering log per mail received during an answering check,
// double-quoted items separated by commas: the date line, the cleaned sender, subject and
// body-summary lines as the receive takes them, what the parse told of the mail (its marks,
// separated by blanks), the names of the mail's own attachments that the summary shows, the mail's
// file name in the receive box, and the steps of the check already done for it. The log outlives a
// kill: it is what a later check finishes. Records of older versions lack the last two items.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

enum LogItem { kLogDate, kLogSender, kLogSubject, kLogBody, kLogMarks, kLogAttachments, kLogMailName, kLogSteps };
using AnsweringLogItems = std::array<std::string, 8>;

// The record line (without CR LF); double quotes, which would end an item, are left out.
std::string answering_log_line(const AnsweringLogItems& items);
// The items of a record line, double quotes left out as the line leaves them out; items the line
// lacks are empty.
AnsweringLogItems answering_log_items(std::string line);

// Whether two records are of one mail: every item but the steps done is the same.
bool same_logged_mail(const AnsweringLogItems& a, const AnsweringLogItems& b);

// The records of the answering log, blank ones left out; empty when there is no log.
std::vector<AnsweringLogItems> read_answering_log();
// Appends one record (the receive, as it takes each mail of a check).
void append_answering_record(const AnsweringLogItems& items);
// Rewrites the log whole, as `edit` changes its records; no record left removes it. A kill leaves
// the log as it was or as edited, never in part.
void edit_answering_log(const std::function<void(std::vector<AnsweringLogItems>&)>& edit);
// The exit empties TENPFIL, where a later run saves other mails' files under the same names: the
// records that wait for a check forget the attachments they name first.
void forget_logged_attachments();

// The words of the steps item: the mail's forward handed over, its reply logged and handed over.
inline constexpr std::string_view kStepForwarded = "forwarded";
inline constexpr std::string_view kStepReplyHanded = "replied";

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
