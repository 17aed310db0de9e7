#include "viewer/html_conversion.h"

#include <algorithm>

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/events.h"
#include "viewer/html_entities.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

const std::string kBlankLine = " \r\n";

// Tags whose text stands apart from the text around it, in upper case.
constexpr std::string_view kBlockTags[] = {
    "ADDRESS", "ARTICLE", "ASIDE", "BLOCKQUOTE", "BR", "CAPTION", "CENTER", "DD", "DIV", "DL", "DT",
    "FIGCAPTION", "FIGURE", "FOOTER", "FORM", "H1", "H2", "H3", "H4", "H5", "H6", "HEADER", "HR", "LI",
    "MAIN", "NAV", "OL", "P", "PRE", "SECTION", "TABLE", "TBODY", "TFOOT", "THEAD", "TITLE", "TR", "UL"};

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Whether a "<" at `at` begins a tag (a name, an end tag, a comment or a declaration), not text
// such as "1 < 2". "<" and ">" are never the second byte of a double-byte character.
bool opens_tag(std::string_view line, std::size_t at) {
    if (at + 1 >= line.size()) return false;
    char c = line[at + 1];
    return is_letter(c) || c == '/' || c == '!' || c == '?';
}

struct Tag {
    std::size_t begin, end;  // the "<" and one past the ">" (the line's end for a tag going on)
    std::string name;        // upper case, without "/"
    bool closing = false;
};

// The tags of a line in order. A ">" before the first "<" ends a tag an earlier line began.
std::vector<Tag> tags_of(std::string_view line) {
    std::vector<Tag> tags;
    std::size_t at = 0;
    std::size_t first_open = line.find('<');
    std::size_t first_close = line.find('>');
    if (first_close != std::string_view::npos && (first_open == std::string_view::npos || first_close < first_open)) {
        tags.push_back(Tag{0, first_close + 1, "", false});
        at = first_close + 1;
    }
    for (std::size_t open = line.find('<', at); open != std::string_view::npos; open = line.find('<', at)) {
        if (!opens_tag(line, open)) {
            at = open + 1;
            continue;
        }
        std::size_t close = line.find('>', open);
        Tag tag{open, close == std::string_view::npos ? line.size() : close + 1, "", line[open + 1] == '/'};
        for (std::size_t i = open + (tag.closing ? 2 : 1); i < line.size() && (is_letter(line[i]) || (line[i] >= '0' && line[i] <= '9')); ++i) {
            tag.name += static_cast<char>(line[i] >= 'a' ? line[i] - 'a' + 'A' : line[i]);
        }
        tags.push_back(std::move(tag));
        at = tags.back().end;
    }
    return tags;
}

bool is_block(const Tag& tag) {
    return std::find(std::begin(kBlockTags), std::end(kBlockTags), tag.name) != std::end(kBlockTags);
}

// The line without its tags, one pump for each tag taken out.
std::string without_tags(std::string_view line, const std::function<void()>& pump) {
    std::string out;
    std::size_t at = 0;
    for (const Tag& tag : tags_of(line)) {
        if (pump) pump();
        out.append(line.substr(at, tag.begin - at));
        at = tag.end;
    }
    out.append(line.substr(std::min(at, line.size())));
    return out;
}

// One piece of a line: the line filter, then its tags out and its references decoded.
std::string convert_piece(const std::string& piece, const std::function<void()>& pump, bool& filtered) {
    filtered = true;
    if (contains(piece, "上へ戻る"_sj)) return {};
    if (contains(piece, "font-family:")) return kBlankLine;
    bool line_break = has_line_break_tag(piece);
    if (contains(piece, "<<") || contains(piece, ">>")) return kBlankLine;
    bool notice = is_copyright_notice(piece);
    if (!notice && !has_double_byte(piece)) return line_break ? kBlankLine : std::string();
    filtered = false;
    std::string text = trim(decode_html_entities(without_tags(piece, pump)));
    if (line_break) text += "\r\n";
    if (notice) text = "\r\n" + text;
    return text + "\r\n";
}

}  // namespace

bool has_line_break_tag(std::string_view line) { return contains(line, "<BR>") || contains(line, "<br>"); }

bool is_copyright_notice(std::string_view line) {
    std::string upper = upper_ascii(line);
    return contains(upper, "COPYRIGHT") && contains(upper, "RESERVED");
}

bool has_double_byte(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); i += char_length(text, i)) {
        if (char_length(text, i) == 2) return true;
    }
    return false;
}

std::vector<std::string> block_pieces(std::string_view line) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    auto cut = [&](std::size_t at) {
        if (at <= start) return;
        pieces.emplace_back(trim(line.substr(start, at - start)));
        start = at;
    };
    for (const Tag& tag : tags_of(line)) {
        if (!is_block(tag)) continue;
        if (tag.closing || tag.name == "BR") {
            cut(tag.end);
        } else {
            cut(tag.begin);
        }
    }
    cut(line.size());
    std::erase_if(pieces, [](const std::string& piece) { return piece.empty(); });
    return pieces;
}

std::string convert_html_line(std::string_view raw, const std::function<void()>& pump, bool* filtered) {
    std::string out;
    bool all_filtered = true;
    for (const std::string& piece : block_pieces(trim(raw))) {
        bool piece_filtered = true;
        out += convert_piece(piece, pump, piece_filtered);
        all_filtered = all_filtered && piece_filtered;
    }
    if (filtered) *filtered = all_filtered;
    return out;
}

void HTM_HENKAN_TXT() {
    auto& g = globals();
    int count = g.QUOTE_LINE_COUNT;
    std::string text;
    auto pump = [] { pf::EVENT_PUMP(); };
    for (int i = 1; i <= count && i < static_cast<int>(g.HTML_LINES.size()); ++i) {
        pump();
        bool filtered = false;
        text += convert_html_line(g.HTML_LINES[static_cast<std::size_t>(i)], pump, &filtered);
        // A line the filter ended goes straight on to the next one.
        if (!filtered) pump();
    }
    g.HTML_TEXT = std::move(text);
}

}  // namespace tv::viewer
