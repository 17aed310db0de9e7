// The line rules of the send request (SYSTEM_F\DEL_SOUSIN.txt, unsent mail) and of sent-mail files,
// shared by their writers and readers.
#pragma once

#include <string>
#include <string_view>

namespace tv {

inline constexpr std::string_view kRequestEndLine = "MAIL_END";
inline constexpr std::string_view kAttachmentPrefix = "FILE:";

// Whether a line is an attachment line: "FILE:" at its first byte, in any letter case.
bool is_attachment_line(std::string_view line);

// A body line, after its writer's own trimming, that a reader would take for an attachment line
// or the end line gets one blank before it; every other line is returned as it is.
std::string guard_body_line(std::string_view line);

}  // namespace tv
