#include "viewer/html_conversion.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/events.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr int kMaxPasses = 50;
constexpr std::size_t kLineBytes = 149;
const std::string kBlankLine = " \r\n";

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
bool has_brackets(const std::string& line) { return contains(line, "<") || contains(line, ">"); }

void run(const std::function<void()>& pump) {
    if (pump) pump();
}

// Tags at the start of the line. A "<" without a ">" after it opens a tag that goes on in the next
// line: all of it goes.
void strip_leading_tags(std::string& line, const std::function<void()>& pump) {
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        run(pump);
        if (!line.empty() && line.front() == '<') {
            std::size_t close = line.find('>');
            line.erase(0, close == std::string::npos ? line.size() : close + 1);
        }
        if (line.empty() || line.front() != '<') return;
    }
}

// Tags at the end of the line: each pass cuts before the last "<" unless it is the first byte.
void strip_trailing_tags(std::string& line, const std::function<void()>& pump) {
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        run(pump);
        std::size_t open = line.rfind('<');
        if (open != std::string::npos && open > 0) line.resize(open);
        if (line.empty() || line.back() != '>') return;
    }
}

// Tags inside the line, first one first. A ">" before the first "<" ends a tag begun in an earlier
// line, and a "<" without a ">" after it begins one that goes on: the text inside them goes.
void strip_inner_tags(std::string& line, const std::function<void()>& pump) {
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        run(pump);
        std::size_t open = line.find('<'), close = line.find('>');
        if (close != std::string::npos && (open == std::string::npos || close < open)) {
            line.erase(0, close + 1);
        } else if (open != std::string::npos) {
            line.erase(open, close == std::string::npos ? std::string::npos : close - open + 1);
        }
        if (!has_brackets(line)) return;
    }
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

std::string convert_html_line(std::string_view raw, const std::function<void()>& pump, bool* filtered) {
    std::string line = left_bytes(trim(raw), kLineBytes);
    if (filtered) *filtered = true;
    if (contains(line, "上へ戻る"_sj)) return {};
    if (contains(line, "font-family:")) return kBlankLine;
    bool line_break = has_line_break_tag(line);
    if (contains(line, "<<") || contains(line, ">>")) return kBlankLine;
    bool notice = is_copyright_notice(line);
    if (!notice && !has_double_byte(line)) return line_break ? kBlankLine : std::string();
    if (filtered) *filtered = false;

    if (has_brackets(line)) strip_leading_tags(line, pump);
    if (has_brackets(line)) strip_trailing_tags(line, pump);
    if (has_brackets(line)) strip_inner_tags(line, pump);
    for (std::string_view entity : {"&gt;", "&lt;", "&nbsp;"}) {
        std::size_t at = line.find(entity);
        if (at != std::string::npos) line.resize(at);
    }
    if (line_break) line += "\r\n";
    if (notice) line = "\r\n" + line;
    return line + "\r\n";
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
