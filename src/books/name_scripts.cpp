#include "books/name_scripts.h"

#include <string>

#include "common/charset_converter.h"

namespace tv::books {

namespace {

// Apart: what parts words (blanks, digits, punctuation); Symbol: parts words where CP932 holds it.
enum class Script { Apart, Symbol, Ascii, Latin, Greek, Cyrillic, Japanese, HalfWidthKana, Unlikely };

struct Range {
    char32_t first, last;
    Script script;
    bool needs_cp932 = false;  // counted as its script only where CP932 holds the character
};

// Past ASCII, in code point order; a character in no range is Unlikely.
constexpr Range kRanges[] = {
    {0x00C0, 0x00D6, Script::Latin},
    {0x00D7, 0x00D7, Script::Apart},  // ×
    {0x00D8, 0x00F6, Script::Latin},
    {0x00F7, 0x00F7, Script::Apart},  // ÷
    {0x00F8, 0x024F, Script::Latin},
    {0x0300, 0x036F, Script::Latin},  // combining accents of decomposed letters
    {0x0370, 0x03FF, Script::Greek},
    {0x0400, 0x04FF, Script::Cyrillic},
    {0x1E00, 0x1EFF, Script::Latin},
    {0x2010, 0x2BFF, Script::Symbol, true},  // dashes, quotes, arrows, circled numbers, shapes, stars
    {0x3000, 0x3000, Script::Apart},  // the full-width blank
    {0x3001, 0x30FF, Script::Japanese, true},
    {0x3200, 0x33FF, Script::Japanese, true},  // enclosed and squared letters of CP932
    // Ideographs, also those CP932 lacks: Chinese names are written in many of them.
    {0x3400, 0x4DBF, Script::Japanese},
    {0x4E00, 0x9FFF, Script::Japanese},
    {0xF900, 0xFAFF, Script::Japanese},
    {0xFF01, 0xFF60, Script::Japanese, true},  // full-width forms
    {0xFF61, 0xFF65, Script::Apart},     // half-width punctuation
    {0xFF66, 0xFF9F, Script::HalfWidthKana},
    {0xFFE0, 0xFFE6, Script::Japanese, true},
    {0x20000, 0x2A6DF, Script::Japanese},  // ideographs of the supplementary planes
    {0x2A700, 0x2EBEF, Script::Japanese},
    {0x2F800, 0x2FA1F, Script::Japanese},
    {0x30000, 0x3134F, Script::Japanese},
};

bool cp932_holds(char32_t c) {
    char bytes[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                     static_cast<char>((c >> 16) & 0xFF), static_cast<char>(c >> 24)};
    return charset_converter("UTF-32LE", "CP932").strict(std::string_view(bytes, 4)).has_value();
}

Script script_of(char32_t c) {
    if (c < 0x80) {
        bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        return letter ? Script::Ascii : Script::Apart;
    }
    for (const auto& r : kRanges) {
        if (c < r.first) break;
        if (c > r.last) continue;
        // Kana and symbols of a book are written in what CP932 holds; one outside it is what CP932
        // kanji read as UTF-8 give. An ideograph is a letter either way: a UTF-8 book of Chinese
        // names holds many that CP932 lacks (they come in as "?"), and its bytes often read as
        // CP932 kanji too.
        if (r.needs_cp932 && !cp932_holds(c)) return Script::Unlikely;
        return r.script == Script::Symbol ? Script::Apart : r.script;
    }
    return Script::Unlikely;
}

// Letters of one word: one script, or Latin letters with and without accents.
bool written_together(Script a, Script b) {
    return a == b || (a == Script::Ascii && b == Script::Latin) || (a == Script::Latin && b == Script::Ascii);
}

bool half_width(char32_t c) { return c >= 0xFF61 && c <= 0xFF9F; }

// UTF-8 letters of one alphabet share their first byte (Cyrillic "Тина" is D0 A2 D0 B8 D0 BD D0 B0),
// and CP932 reads that byte as one half-width katakana: "ﾐ｢ﾐｸﾐｽﾐｰ". A run of half-width katakana
// that repeats one character at every second place is counted once for each repeat.
int repeated_first_bytes(std::u32string_view text) {
    int odd = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!half_width(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && half_width(text[end])) ++end;
        std::size_t pairs = (end - i) / 2;
        bool repeating = pairs >= 2;
        for (std::size_t k = 1; repeating && k < pairs; ++k) repeating = text[i + 2 * k] == text[i];
        if (repeating) odd += static_cast<int>(pairs - 1);
        i = end;
    }
    return odd;
}

// The ASCII signs that can be the second byte of a CP932 kanji. A rare kanji (first byte E0-EA)
// before such a kanji reads in UTF-8 as an ideograph and the sign ("范怡" as "䗜}"); a name never
// glues one to an ideograph.
bool kanji_trail_sign(char32_t c) { return c == '@' || (c >= '[' && c <= '`') || (c >= '{' && c <= '~'); }

}  // namespace

int oddness(std::u32string_view text) {
    int odd = repeated_first_bytes(text);
    Script before = Script::Apart;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (kanji_trail_sign(c) && (before == Script::Japanese ||
                                    (i + 1 < text.size() && script_of(text[i + 1]) == Script::Japanese))) {
            odd += 1;
        }
        Script s = script_of(c);
        if (s == Script::Unlikely) {
            odd += 2;
            s = Script::Apart;  // counted once, not again against its neighbours
        } else if (s != Script::Apart && before != Script::Apart && !written_together(before, s)) {
            odd += 1;
        }
        before = s;
    }
    return odd;
}

}  // namespace tv::books
