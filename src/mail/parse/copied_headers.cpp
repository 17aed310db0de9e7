#include "mail/parse/copied_headers.h"

namespace tv::mail {

namespace {

// The headers a returned message's copy begins with.
constexpr std::string_view kCopyStarts[] = {"Return-Path:", "Received:", "From:"};
// Copies searched in one text: each costs a parse, and a bounce returns one message.
constexpr std::size_t kMaxCopies = 32;

// The length of the quote marks that begin `line`: each ">" with one blank after it or none.
std::size_t quote_length(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] == '>') {
        ++i;
        if (i < line.size() && line[i] == ' ') ++i;
    }
    return i;
}

bool starts_copy(std::string_view line) {
    for (std::string_view start : kCopyStarts) {
        if (line.starts_with(start)) return true;
    }
    return false;
}

// The lines of `text`, split at LF, each without its CR.
std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

}  // namespace

std::vector<std::string> copied_header_blocks(std::string_view text) {
    std::vector<std::string_view> lines = lines_of(text);
    std::vector<std::string> blocks;
    for (std::size_t i = 0; i < lines.size() && blocks.size() < kMaxCopies;) {
        std::string_view marks = lines[i].substr(0, quote_length(lines[i]));
        if (!starts_copy(lines[i].substr(marks.size()))) {
            ++i;
            continue;
        }
        // The block ends at a blank line, quoted or not, and at a line without the first line's marks.
        std::string block;
        for (; i < lines.size() && lines[i].starts_with(marks); ++i) {
            std::string_view line = lines[i].substr(marks.size());
            if (line.find_first_not_of(" \t") == std::string_view::npos) break;
            block.append(line).append("\n");
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
}

}  // namespace tv::mail
