#include "common/send_list_row.h"

#include "common/request_lines.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "common/width_conversion.h"

namespace tv {

namespace {

constexpr std::size_t kMaxSentLines = 9998;

std::string shown(std::string_view text, const SentRowStyle& style) {
    return style.convert_width ? convert_width(text) : std::string(text);
}

// The line as the list shows it, trimmed, without its prefix, fitted to the width.
std::string column(const std::vector<std::string>& lines, std::size_t number, std::size_t prefix, std::size_t width,
                   const SentRowStyle& style) {
    std::string line = number <= lines.size() ? lines[number - 1] : std::string();
    return fit_width(from_byte(trim(shown(line, style)), prefix + 1), width);
}

}  // namespace

std::string build_send_row(const std::vector<std::string>& lines, std::string_view file_name,
                           const SentRowStyle& style, const std::string* recipient_text) {
    const RowColumns& widths = style.columns;
    std::string flag = attachment_flag(lines);
    std::string recipient = recipient_text ? fit_width(shown(*recipient_text, style), widths.address)
                                           : column(lines, 3, 3, widths.address, style);
    std::string subject = column(lines, 4, 8, widths.subject, style);
    std::string date = column(lines, 1, 5, widths.date, style);
    if (is_blank(recipient) && is_blank(subject) && is_blank(date)) {
        subject = fit_width(shown(file_name, style), widths.subject);
    }
    return recipient + "  " + flag + "   " + subject + "   " + date;
}

std::vector<std::string> read_sent_file(std::string_view path) {
    auto lines = files::read_lines(path);
    if (!lines) return {};
    if (lines->size() > kMaxSentLines) lines->resize(kMaxSentLines);
    return *lines;
}

}  // namespace tv
