#include "viewer/html_hidden_parts.h"

#include "common/sjis.h"

namespace tv::viewer {

namespace {

struct Hidden {
    const char* opening;  // upper case
    const char* closing;
    bool tag;             // the opening is a tag name: a letter or digit after it makes another tag
};
constexpr Hidden kHidden[] = {{"<!--", "-->", false}, {"<STYLE", "</STYLE>", true}, {"<SCRIPT", "</SCRIPT>", true}};

bool name_goes_on(std::string_view upper, std::size_t at) {
    if (at >= upper.size()) return false;
    char c = upper[at];
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

}  // namespace

std::string HtmlHiddenParts::visible(std::string_view line) {
    // "<", ">" and the letters searched for are never the second byte of a double-byte character.
    std::string upper = upper_ascii(line);
    std::string out;
    std::size_t at = 0;
    while (at < line.size()) {
        if (!closing_.empty()) {
            std::size_t end = upper.find(closing_, at);
            if (end == std::string::npos) return out;
            at = end + closing_.size();
            closing_.clear();
            continue;
        }
        std::size_t first = std::string::npos;
        const Hidden* opened = nullptr;
        for (const Hidden& hidden : kHidden) {
            std::string_view opening = hidden.opening;
            for (std::size_t found = upper.find(opening, at); found != std::string::npos && found < first;
                 found = upper.find(opening, found + 1)) {
                if (hidden.tag && name_goes_on(upper, found + opening.size())) continue;
                first = found;
                opened = &hidden;
                break;
            }
        }
        if (!opened) break;
        out.append(line.substr(at, first - at));
        closing_ = opened->closing;
        at = first + std::string_view(opened->opening).size();
    }
    if (closing_.empty() && at < line.size()) out.append(line.substr(at));
    return out;
}

}  // namespace tv::viewer
