// ParseResult: one mail's parse result (SYSTEM_F\YOMITORI.txt) as every reader holds it, with the
// one set of rules for what its lines mean.
//
// Lines 1 to 4 are the date, sender, recipients and subject lines, by position only; their values
// stand after fixed prefixes ("DATE: ", "FROM: ", "TO: ", "SUBJECT: "), cut at those positions
// without checking the prefix. From line 5 on a line is an attachment line ("FILE:" in any case at
// byte 1), the end line, or a body line.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

class ParseResult {
public:
    enum class Status {
        Complete,  // the end line was read
        Cut,       // more lines than a reader keeps: the first ones are kept
        CutShort,  // the wait gave up before the end line: what was read
        Refused,   // another exchange was running; no file was touched
    };

    ParseResult() = default;
    ParseResult(Status status, std::vector<std::string> lines, std::vector<std::string> marks = {})
        : status_(status), lines_(std::move(lines)), marks_(std::move(marks)) {}

    Status status() const { return status_; }
    bool complete() const { return status_ == Status::Complete; }
    bool refused() const { return status_ == Status::Refused; }
    // Every line as read, in order, for the readers that walk the whole result.
    const std::vector<std::string>& lines() const { return lines_; }
    std::size_t count() const { return lines_.size(); }
    // No line was read, or line 1, trimmed, is the end line itself: a result without content.
    bool without_content() const;

    // The header lines as read (empty beyond the last line read).
    const std::string& date_line() const { return line(1); }
    const std::string& sender_line() const { return line(2); }
    const std::string& recipients_line() const { return line(3); }
    const std::string& subject_line() const { return line(4); }
    // Their values: the line from byte 7, 7, 5 and 10.
    std::string date() const;
    std::string sender() const;
    std::string recipients() const;
    std::string subject() const;

    // From line 5 on: every line that is not an attachment line nor the end line, as read.
    std::vector<std::string> body_lines() const;
    // From line 5 on: the attachment lines, as read.
    std::vector<std::string> attachment_lines() const;
    // "F" when the last attachment line read names a file, or when the mail has an attachment the
    // parse could not save (it has no line then), else one blank.
    std::string attachment_flag() const;
    // The same of a reader's own selection of the lines.
    std::string attachment_flag(std::span<const std::string> lines) const;

    // What the parse told beside the result (exchange_files.h), one mark each.
    const std::vector<std::string>& marks() const { return marks_; }
    bool has_mark(std::string_view mark) const;

    // A line whose first 30 bytes are the end line.
    static bool is_end_line(std::string_view line);
    // A body line as it is shown or quoted: a "Body:" prefix (any case) and the byte after it go.
    static std::string shown_body_line(std::string_view line);

private:
    const std::string& line(std::size_t k) const;

    Status status_ = Status::CutShort;
    std::vector<std::string> lines_;
    std::vector<std::string> marks_;
};

}  // namespace tv
