#include "answering/forward_mail.h"

#include <algorithm>
#include <optional>

#include "answering/answer_request.h"
#include "answering/answer_rules.h"
#include "common/exchange_files.h"
#include "common/sjis.h"

namespace tv::answering {

using namespace tv::literals;

namespace {

constexpr std::string_view kMarker = "CrLf";
constexpr std::size_t kMaxMarkers = 1000;
constexpr std::size_t kShownLines = 15;
constexpr std::size_t kMaxNames = 199;
constexpr const char* kAttachmentFolder = "TENPFIL";

// The text of `s` from its byte k (1-based) on; a cut inside a character starts after it, so the
// text stays valid.
std::string from_whole_char(const std::string& s, std::size_t k) {
    std::size_t i = 0;
    while (i < s.size() && i + 1 < k) i += char_length(s, i);
    return i < s.size() ? s.substr(i) : std::string();
}

bool has(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// The positions of the markers that join the summary's lines (a marker that ends the text is none).
std::vector<std::size_t> marker_positions(const std::string& body) {
    std::vector<std::size_t> at;
    for (std::size_t q = 0; q + 5 <= body.size() && at.size() < kMaxMarkers; ++q) {
        if (body.compare(q, kMarker.size(), kMarker) == 0) at.push_back(q);
    }
    return at;
}

// Line j (1-based) of the summary: the text before marker j; empty and one-byte lines after the
// first become one blank.
std::string summary_line(const std::string& body, const std::vector<std::size_t>& at, std::size_t j) {
    if (j == 1) return at[0] == 0 ? " " : body.substr(0, at[0]);
    std::size_t start = at[j - 2] + kMarker.size();
    std::size_t length = at[j - 1] - start;
    return length <= 1 ? " " : body.substr(start, length);
}

bool is_no_attachment_line(const std::string& line) { return has(line, "FILE:") && trim(line).size() == 5; }
bool is_attachment_mention(const std::string& line) { return has(line, "File:") && trim(line).size() > 5; }

// The name an attachment line gives ("File: TENPFIL\name"); a name that is not a bare file name is
// no attachment of this mail.
std::optional<std::string> attachment_name(const std::string& line, std::string& shown) {
    shown = from_whole_char(trim(from_whole_char(line, 6)), 9);
    bool bare = find_first_char(shown, '\\') == std::string::npos && find_first_char(shown, '/') == std::string::npos &&
                shown.find("..") == std::string::npos && !trim(shown).empty();
    if (!bare) return std::nullopt;
    return shown;
}

}  // namespace

ForwardBody build_forward_body(const LoggedMail& mail) {
    const std::string& body = mail.body;
    ForwardBody out;
    out.lines = {"<日時>"_sj, mail.date, "<差出人>"_sj, mail.sender, "<本文>"_sj};
    auto at = marker_positions(body);
    std::size_t n = at.size();
    std::size_t shown_lines = std::min(n, kShownLines);
    bool section_seen = false;
    for (std::size_t j = 1; j <= shown_lines; ++j) {
        std::string line = summary_line(body, at, j);
        if (line.starts_with("rLf")) line.erase(0, 3);
        if (has(line, "ENDDAYOPPI")) {
            line = " ";
        } else if (is_no_attachment_line(line)) {
            line = " ";
            section_seen = true;
        } else if (is_attachment_mention(line)) {
            section_seen = true;
            std::string shown;
            auto name = attachment_name(line, shown);
            if (name && out.attachment_names.size() >= kMaxNames) break;
            if (name) out.attachment_names.push_back(*name);
            line = "添付ファイル："_sj + shown;
        }
        if (j == kShownLines && n > kShownLines) line += "  （後略）"_sj;
        out.lines.push_back(line);
    }
    if (!section_seen && n > 0) {
        std::size_t first_tail = std::max<std::size_t>(n / 2, 2);
        for (std::size_t j = first_tail; j <= n; ++j) {
            std::string line = summary_line(body, at, j);
            if (!is_attachment_mention(line)) continue;
            std::string shown;
            auto name = attachment_name(line, shown);
            if (!name) continue;
            if (out.attachment_names.size() >= kMaxNames) break;
            out.attachment_names.push_back(*name);
            out.lines.push_back("添付ファイル："_sj + *name);
        }
    }
    return out;
}

std::vector<std::string> forward_request(const ForwardBody& body, const LoggedMail& mail, const AccountData& account,
                                         const std::string& forward_address, bool with_attachments) {
    // A name the mail's text made up may be another mail's file: only the mail's own are sent.
    std::vector<std::string> own;
    for (const auto& name : body.attachment_names) {
        if (std::find(mail.attachments.begin(), mail.attachments.end(), trim(name)) != mail.attachments.end()) {
            own.push_back(name);
        }
    }
    return answer_request(bare_address(forward_address), account,
                          std::string(exchange::kForwardSubjectMark) + trim(mail.subject), body.lines, kAttachmentFolder,
                          with_attachments ? std::span<const std::string>(own) : std::span<const std::string>());
}

}  // namespace tv::answering
