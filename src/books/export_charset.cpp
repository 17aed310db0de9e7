#include "books/export_charset.h"

#include <algorithm>

#include "common/charset_converter.h"
#include "common/reading_cost.h"
#include "common/sjis.h"
#include "common/utf8.h"

namespace tv::books {

namespace {

struct ByteOrderMark {
    std::string_view mark;
    const char* charset;
};

constexpr ByteOrderMark kMarks[] = {
    {"\xEF\xBB\xBF", "UTF-8"},
    {"\xFF\xFE", "UTF-16LE"},
    {"\xFE\xFF", "UTF-16BE"},
};

bool high(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Whether a file without a byte-order mark is UTF-8 rather than CP932. Many files read in both:
// half-width katakana in CP932 are often well-formed two-byte UTF-8 ("ﾕｷ" is D5 B7, UTF-8 for
// Armenian "շ"), UTF-8 Cyrillic and accented Latin read as CP932 half-width katakana and kanji
// ("Анна" as "ﾐ籍ｽﾐｽﾐｰ"), and level-2 kanji can be well-formed UTF-8 ("凜子" EA A3 8E 71 is
// U+A8CE and "q"). Such a file is read the way that is likelier as names (common/reading_cost.h);
// where both are as likely, it is UTF-8 unless every byte past ASCII lies in A1-DF, the range
// where two-byte UTF-8 and CP932 half-width katakana overlap.
bool reads_as_utf8(std::string_view bytes) {
    if (std::none_of(bytes.begin(), bytes.end(), high)) return false;
    if (!is_utf8(bytes)) return false;
    auto cp932 = charset_converter("CP932", "UTF-8").strict(bytes);
    if (!cp932) return true;
    int utf8_cost = reading_cost(bytes), cp932_cost = reading_cost(*cp932);
    if (utf8_cost != cp932_cost) return utf8_cost < cp932_cost;
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        auto b = static_cast<unsigned char>(c);
        return b >= 0x80 && (b < 0xA1 || b > 0xDF);
    });
}

// The file as CP932 text, before the test that it is text at all.
std::optional<std::string> converted(std::string_view bytes) {
    for (const auto& [mark, charset] : kMarks) {
        if (bytes.substr(0, mark.size()) != mark) continue;
        auto utf8 = charset_converter(charset, "UTF-8").strict(bytes.substr(mark.size()));
        if (utf8) return from_utf8_lossy(*utf8, "?");
        // UTF-16 that does not convert is no text; a UTF-8 mark before other bytes is passed over.
        if (std::string_view(charset) != "UTF-8") return std::nullopt;
        bytes.remove_prefix(mark.size());
        break;
    }
    if (reads_as_utf8(bytes)) return from_utf8_lossy(bytes, "?");
    return std::string(bytes);
}

}  // namespace

std::optional<std::string> exported_text(std::string_view bytes) {
    auto text = converted(bytes);
    if (!text) return std::nullopt;
    if (!text->empty() && text->back() == '\x1A') text->pop_back();
    for (char c : *text) {
        if (is_control_byte(c) && c != '\r' && c != '\n' && c != '\t') return std::nullopt;
    }
    return text;
}

}  // namespace tv::books
