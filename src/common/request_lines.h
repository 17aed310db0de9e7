// The line rules of the send request (SYSTEM_F\DEL_SOUSIN.txt, unsent mail), of sent-mail files and
// of parse results, shared by their writers and readers.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tv {

inline constexpr std::string_view kRequestEndLine = "MAIL_END";
inline constexpr std::string_view kAttachmentPrefix = "FILE:";

// Whether a line is an attachment line: "FILE:" at its first byte, in any letter case.
bool is_attachment_line(std::string_view line);

// The attachment flag of a list row or summary record: "F" when the text after "FILE:" of the last
// attachment line among `lines` is not blank, else one blank.
std::string attachment_flag(std::span<const std::string> lines);

// Where a request's attachments stand: the trailing run of attachment lines before its last
// "MAIL_END" line, as indexes [first, end) into `lines` (`end` is the index of "MAIL_END"; the first
// three lines are never attachments). Both are lines.size() when the request has no "MAIL_END".
struct AttachmentRun {
    std::size_t first = 0;
    std::size_t end = 0;
};
AttachmentRun request_attachment_run(std::span<const std::string> lines);

// A body line, after its writer's own trimming, that a reader would take for an attachment line
// or the end line gets one blank before it; every other line is returned as it is.
std::string guard_body_line(std::string_view line);

}  // namespace tv
