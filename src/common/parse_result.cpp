#include "common/parse_result.h"

#include <algorithm>

#include "common/exchange_files.h"
#include "common/request_lines.h"
#include "common/sjis.h"

namespace tv {

namespace {
constexpr std::size_t kFirstBodyLine = 5;
}  // namespace

const std::string& ParseResult::line(std::size_t k) const {
    static const std::string empty;
    if (k == 0 || k > lines_.size()) return empty;
    return lines_[k - 1];
}

bool ParseResult::without_content() const { return lines_.empty() || is_end_line(trim(lines_.front())); }

std::string ParseResult::date() const { return from_byte(date_line(), 7); }
std::string ParseResult::sender() const { return from_byte(sender_line(), 7); }
std::string ParseResult::recipients() const { return from_byte(recipients_line(), 5); }
std::string ParseResult::subject() const { return from_byte(subject_line(), 10); }

bool ParseResult::is_end_line(std::string_view line) {
    return line.substr(0, exchange::kEndLine.size()) == exchange::kEndLine;
}

std::string ParseResult::shown_body_line(std::string_view line) {
    return starts_with_upper(line, "BODY:") ? from_byte(line, 7) : std::string(line);
}

std::vector<std::string> ParseResult::body_lines() const {
    std::vector<std::string> body;
    for (std::size_t k = kFirstBodyLine; k <= lines_.size(); ++k) {
        const std::string& l = lines_[k - 1];
        if (!is_attachment_line(l) && !is_end_line(l)) body.push_back(l);
    }
    return body;
}

std::vector<std::string> ParseResult::attachment_lines() const {
    std::vector<std::string> found;
    for (std::size_t k = kFirstBodyLine; k <= lines_.size(); ++k) {
        if (is_attachment_line(lines_[k - 1])) found.push_back(lines_[k - 1]);
    }
    return found;
}

std::string ParseResult::attachment_flag() const { return attachment_flag(lines_); }

std::string ParseResult::attachment_flag(std::span<const std::string> lines) const {
    if (has_mark(exchange::kMarkAttachmentNotSaved)) return "F";
    return tv::attachment_flag(lines);
}

bool ParseResult::has_mark(std::string_view mark) const { return std::ranges::find(marks_, mark) != marks_.end(); }

}  // namespace tv
