#include "mail/parse/parse_result.h"

#include <string_view>

#include "common/sjis.h"

namespace tv::mail {

namespace {

constexpr std::size_t kHeaderLines = 4;
// A guarded body line gets one byte more, so body lines are wrapped one byte short.
constexpr std::size_t kBodyPieceBytes = kMaxLineBytes - 1;

std::string header_line(std::string_view prefix, std::string_view value) {
    std::string line(prefix);
    line.append(left_whole_chars(value, kMaxLineBytes - prefix.size()));
    return line;
}

// A body line the readers would take for an attachment line, a "Body:" line or the end line.
bool needs_guard(std::string_view line) {
    std::string trimmed = trim(line);
    return starts_with_upper(trimmed, "FILE:") || starts_with_upper(trimmed, "BODY:") ||
           std::string_view(trimmed).substr(0, kEndLine.size()) == kEndLine;
}

// Adds the body as lines: split at CR LF, lone CR and lone LF; wrapped at character boundaries;
// guarded; at most `budget` lines.
void add_body(std::vector<std::string>& lines, std::string_view body, std::size_t budget) {
    const std::size_t first = lines.size();
    auto add_piece = [&](std::string piece) {
        if (lines.size() > first && needs_guard(piece)) piece.insert(0, ">");
        lines.push_back(std::move(piece));
    };
    std::string pending = "Body: ";  // the first body line follows the prefix
    std::size_t at = 0;
    while (lines.size() - first < budget) {
        std::size_t end = body.find_first_of("\r\n", at);
        std::string_view text = body.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        std::string line = std::move(pending);
        pending.clear();
        line.append(text);
        std::string_view rest = line;
        do {
            std::string piece = left_whole_chars(rest, kBodyPieceBytes);
            if (piece.empty()) piece = rest;  // unreachable with a piece limit above 1; never loop
            rest.remove_prefix(piece.size());
            add_piece(std::move(piece));
        } while (!rest.empty() && lines.size() - first < budget);
        if (end == std::string_view::npos) break;
        at = end + (body[end] == '\r' && end + 1 < body.size() && body[end + 1] == '\n' ? 2 : 1);
        if (at >= body.size()) break;  // a final line end ends the last line
    }
}

}  // namespace

ParsedMail unreadable_mail(std::string date) {
    ParsedMail mail;
    mail.date = std::move(date);
    mail.sender = kUnreadable;
    mail.subject = kUnreadable;
    return mail;
}

std::vector<std::string> result_lines(const ParsedMail& mail) {
    std::vector<std::string> lines;
    lines.reserve(16);
    lines.push_back(header_line("DATE: ", mail.date));
    lines.push_back(header_line("FROM: ", mail.sender));
    lines.push_back(header_line("TO: ", mail.recipients));
    lines.push_back(header_line("SUBJECT: ", mail.subject));
    std::size_t attachments = std::min(mail.attachments.size(), kMaxAttachments);
    std::size_t attachment_lines = attachments == 0 ? 1 : attachments;
    add_body(lines, mail.body, kMaxResultLines - kHeaderLines - attachment_lines - 1);
    for (std::size_t i = 0; i < attachments; ++i) lines.push_back(header_line("File: TENPFIL\\", mail.attachments[i]));
    if (attachments == 0) lines.emplace_back("FILE:");
    lines.emplace_back(kEndLine);
    return lines;
}

}  // namespace tv::mail
