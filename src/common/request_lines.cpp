#include "common/request_lines.h"

#include "common/sjis.h"

namespace tv {

bool is_attachment_line(std::string_view line) { return starts_with_upper(line, kAttachmentPrefix); }

std::string attachment_flag(std::span<const std::string> lines) {
    std::string_view last;
    for (const auto& line : lines) {
        if (is_attachment_line(line)) last = std::string_view(line).substr(kAttachmentPrefix.size());
    }
    return is_blank(last) ? " " : "F";
}

AttachmentRun request_attachment_run(std::span<const std::string> lines) {
    std::size_t end = lines.size();
    while (end > 0 && trim_right(lines[end - 1]) != kRequestEndLine) --end;
    if (end == 0) return {lines.size(), lines.size()};
    --end;
    std::size_t first = end;
    while (first > 3 && is_attachment_line(lines[first - 1])) --first;
    return {first, end};
}

std::string guard_body_line(std::string_view line) {
    if (is_attachment_line(line) || line == kRequestEndLine) return " " + std::string(line);
    return std::string(line);
}

}  // namespace tv
