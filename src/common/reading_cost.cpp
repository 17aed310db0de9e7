#include "common/reading_cost.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "common/charset_converter.h"
#include "common/sjis.h"
#include "common/utf8.h"

namespace tv {

namespace {

struct KanjiCost {
    int cost;
    const char* kanji;  // UTF-8
};

#include "common/reading_cost_tables.inc"

// An ideograph the kanji table leaves out: a rare kanji, or one of the ideographs Chinese names
// are written in (CP932 lacks many of them, but a name of them is still a name).
constexpr int kRareIdeograph = 20;
constexpr int kUnlikely = 24;    // what no text is written in
constexpr int kMixed = 8;        // a letter glued to a letter of another script
constexpr int kLoneAccented = 8; // a word of accented Latin letters without an ASCII letter
constexpr int kOneLetter = 6;    // a word of one letter of another script ("ж" for CP932 "ﾐｶ")
constexpr int kGluedSign = 20;   // an ASCII sign glued to the end of an ideograph
constexpr int kForeignSign = 4;  // a sign CP932 lacks, beyond what a sign costs

enum class Kind {
    Apart,        // parts words: ASCII but letters, signs and punctuation of any width
    AsciiLetter,
    Latin,        // accented Latin letters
    Mark,         // a combining mark: part of the letter before it
    Japanese,     // kana, kanji, full-width letters and digits
    HalfWidth,    // half-width katakana, scored in pairs
    Alphabet,     // a letter of another script; each range is a script of its own
    Unlikely,
};

struct Range {
    char32_t first, last;
    Kind kind;
    int cost;       // of each character
    int entry = 0;  // of a word in this script
};

// Past ASCII, in code point order; a character in no range is Unlikely.
constexpr Range kRanges[] = {
    {0x0080, 0x009F, Kind::Unlikely, kUnlikely},   // C1 controls
    {0x00A0, 0x00BF, Kind::Apart, 10},             // Latin-1 signs
    {0x00C0, 0x00D6, Kind::Latin, 7},
    {0x00D7, 0x00D7, Kind::Apart, 10},             // ×
    {0x00D8, 0x00F6, Kind::Latin, 7},
    {0x00F7, 0x00F7, Kind::Apart, 10},             // ÷
    {0x00F8, 0x00FF, Kind::Latin, 7},
    {0x0100, 0x017F, Kind::Latin, 9},
    {0x0180, 0x024F, Kind::Latin, 12},
    {0x0250, 0x02FF, Kind::Latin, 14},             // phonetic letters, modifier letters
    {0x0300, 0x036F, Kind::Mark, 4},
    {0x0370, 0x03FF, Kind::Alphabet, 6, 6},        // Greek
    {0x0400, 0x04FF, Kind::Alphabet, 6, 6},        // Cyrillic
    {0x0500, 0x052F, Kind::Alphabet, 12, 6},
    {0x0530, 0x058F, Kind::Alphabet, 7, 10},       // Armenian
    {0x0590, 0x05FF, Kind::Alphabet, 7, 10},       // Hebrew
    {0x0600, 0x06FF, Kind::Alphabet, 7, 10},       // Arabic
    {0x0700, 0x07FF, Kind::Alphabet, 9, 10},       // Syriac, Thaana, NKo
    {0x0800, 0x08FF, Kind::Alphabet, 9, 10},       // Samaritan, Mandaic and other scripts
    {0x0900, 0x097F, Kind::Alphabet, 7, 10},       // Devanagari
    {0x0980, 0x09FF, Kind::Alphabet, 7, 10},       // Bengali
    {0x0A00, 0x0A7F, Kind::Alphabet, 7, 10},       // Gurmukhi
    {0x0A80, 0x0AFF, Kind::Alphabet, 7, 10},       // Gujarati
    {0x0B00, 0x0B7F, Kind::Alphabet, 7, 10},       // Oriya
    {0x0B80, 0x0BFF, Kind::Alphabet, 7, 10},       // Tamil
    {0x0C00, 0x0C7F, Kind::Alphabet, 7, 10},       // Telugu
    {0x0C80, 0x0CFF, Kind::Alphabet, 7, 10},       // Kannada
    {0x0D00, 0x0D7F, Kind::Alphabet, 7, 10},       // Malayalam
    {0x0D80, 0x0DFF, Kind::Alphabet, 7, 10},       // Sinhala
    {0x0E00, 0x0E7F, Kind::Alphabet, 7, 10},       // Thai
    {0x0E80, 0x0EFF, Kind::Alphabet, 7, 10},       // Lao
    {0x0F00, 0x0FFF, Kind::Alphabet, 7, 10},       // Tibetan
    {0x1000, 0x109F, Kind::Alphabet, 7, 10},       // Myanmar
    {0x10A0, 0x10FF, Kind::Alphabet, 7, 10},       // Georgian
    {0x1100, 0x11FF, Kind::Alphabet, 11, 10},      // Hangul jamo
    {0x1200, 0x139F, Kind::Alphabet, 7, 10},       // Ethiopic
    {0x13A0, 0x13FF, Kind::Alphabet, 9, 10},       // Cherokee
    {0x1400, 0x167F, Kind::Alphabet, 9, 10},       // Canadian syllabics
    {0x1680, 0x177F, Kind::Alphabet, 9, 10},       // Ogham, Runic, Philippine scripts
    {0x1780, 0x17FF, Kind::Alphabet, 7, 10},       // Khmer
    {0x1800, 0x18AF, Kind::Alphabet, 9, 10},       // Mongolian
    {0x18B0, 0x1CFF, Kind::Alphabet, 9, 10},       // Tai, Balinese and other scripts
    {0x1D00, 0x1DBF, Kind::Latin, 14},             // phonetic letters
    {0x1DC0, 0x1DFF, Kind::Mark, 6},
    {0x1E00, 0x1EFF, Kind::Latin, 9},
    {0x1F00, 0x1FFF, Kind::Alphabet, 9, 6},        // Greek with accents
    {0x2000, 0x200F, Kind::Apart, 10},             // blanks of other widths
    {0x2010, 0x2BFF, Kind::Apart, 10},             // dashes, quotes, arrows, circled numbers, shapes
    {0x2E80, 0x2FDF, Kind::Japanese, 16},          // radicals
    {0x3000, 0x3000, Kind::Apart, 5},              // the full-width blank
    {0x3001, 0x303F, Kind::Apart, 7},              // Japanese punctuation
    {0x3041, 0x309F, Kind::Japanese, 5},           // hiragana
    {0x30A0, 0x30FA, Kind::Japanese, 6},           // katakana
    {0x30FB, 0x30FB, Kind::Apart, 7},              // ・
    {0x30FC, 0x30FF, Kind::Japanese, 6},
    {0x3130, 0x318F, Kind::Alphabet, 11, 10},      // Hangul jamo
    {0x31F0, 0x31FF, Kind::Japanese, 12},
    {0x3200, 0x33FF, Kind::Apart, 10},             // enclosed and squared letters
    {0x3400, 0x4DBF, Kind::Japanese, kRareIdeograph},
    {0x4E00, 0x9FFF, Kind::Japanese, kRareIdeograph},  // the kanji table says more
    {0xA000, 0xABFF, Kind::Alphabet, 14, 10},      // Yi, Vai and other rare scripts
    {0xAC00, 0xD7A3, Kind::Alphabet, 11, 10},      // Hangul
    {0xD7B0, 0xD7FF, Kind::Alphabet, 14, 10},
    {0xF900, 0xFAFF, Kind::Japanese, kRareIdeograph},
    {0xFB00, 0xFB4F, Kind::Alphabet, 14, 10},      // ligatures, Hebrew forms
    {0xFB50, 0xFDFF, Kind::Alphabet, 12, 10},      // Arabic forms
    {0xFE00, 0xFE0F, Kind::Apart, 0},              // variation selectors (of emoji, mostly)
    {0xFE30, 0xFE4F, Kind::Apart, 14},
    {0xFE70, 0xFEFE, Kind::Alphabet, 12, 10},      // Arabic forms
    {0xFF01, 0xFF0F, Kind::Apart, 8},              // full-width signs
    {0xFF10, 0xFF19, Kind::Japanese, 8},           // full-width digits
    {0xFF1A, 0xFF20, Kind::Apart, 8},
    {0xFF21, 0xFF3A, Kind::Japanese, 8},
    {0xFF3B, 0xFF40, Kind::Apart, 8},
    {0xFF41, 0xFF5A, Kind::Japanese, 8},
    {0xFF5B, 0xFF60, Kind::Apart, 8},
    {0xFF61, 0xFF9F, Kind::HalfWidth, 0},          // half-width punctuation and katakana
    {0xFFA0, 0xFFDC, Kind::Alphabet, 14, 10},      // half-width Hangul
    {0xFFE0, 0xFFE6, Kind::Apart, 9},              // full-width currency signs
    {0x1F000, 0x1FAFF, Kind::Apart, 12},           // emoji and pictographs
    {0x20000, 0x3134F, Kind::Japanese, kRareIdeograph},
};

constexpr Range kAsciiLetter{0x41, 0x7A, Kind::AsciiLetter, 0};
constexpr Range kAsciiApart{0x00, 0x7F, Kind::Apart, 0};
constexpr Range kNowhere{0, 0, Kind::Unlikely, kUnlikely};

const Range& range_of(char32_t c) {
    if (c < 0x80) return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') ? kAsciiLetter : kAsciiApart;
    std::size_t low = 0, high = std::size(kRanges);
    while (low < high) {
        std::size_t mid = (low + high) / 2;
        if (kRanges[mid].last < c) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return low < std::size(kRanges) && kRanges[low].first <= c ? kRanges[low] : kNowhere;
}

constexpr char32_t kFirstKanji = 0x4E00, kLastKanji = 0x9FFF;

const std::array<std::uint8_t, kLastKanji - kFirstKanji + 1>& kanji_costs() {
    static const auto table = [] {
        std::array<std::uint8_t, kLastKanji - kFirstKanji + 1> t;
        t.fill(kRareIdeograph);
        for (const KanjiCost& k : kKanjiCosts) {
            std::string_view s = k.kanji;
            for (std::size_t i = 0; i < s.size();) {
                std::size_t length = utf8_char_length(s.substr(i));
                char32_t c = utf8_code_point(s.substr(i), length);
                if (c >= kFirstKanji && c <= kLastKanji) t[c - kFirstKanji] = static_cast<std::uint8_t>(k.cost);
                i += length;
            }
        }
        return t;
    }();
    return table;
}

// The signs a text of Japanese holds (those CP932 has): a sign it lacks is one that, read from
// the bytes of another charset, is more likely noise.
constexpr char32_t kFirstSign = 0x2010, kLastSign = 0x33FF;

bool cp932_holds_sign(char32_t c) {
    static const auto held = [] {
        std::bitset<kLastSign - kFirstSign + 1> bits;
        std::string utf32;
        for (char32_t s = kFirstSign; s <= kLastSign; ++s) {
            for (int shift = 0; shift < 32; shift += 8) utf32.push_back(static_cast<char>((s >> shift) & 0xFF));
        }
        // One conversion of them all: a sign CP932 lacks becomes 0xFF, which CP932 never writes.
        std::string cp932 = charset_converter("UTF-32LE", "CP932").substituting(utf32, "\xFF", [](std::string_view) {
            return std::size_t{4};
        });
        std::size_t at = 0;
        for (std::size_t i = 0; i < bits.size() && at < cp932.size(); ++i) {
            bits[i] = static_cast<unsigned char>(cp932[at]) != 0xFF;
            at += char_length(cp932, at);
        }
        return bits;
    }();
    return c >= kFirstSign && c <= kLastSign && held[c - kFirstSign];
}

int half_width_pair(int before, int after) { return kHalfWidthPairCosts[before][after] - 'A'; }

bool ideograph(char32_t c) {
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3134F);
}

// Of the ASCII signs that can be the second byte of a CP932 kanji (a rare kanji, first byte
// E0-EA, before one reads in UTF-8 as an ideograph and the sign: "范怡" as "䗜}"), those text
// seldom glues to the end of an ideograph: a closing bracket is one where no bracket opened it
// ("[重要]" is common), "_" and "~" are not ("議事録_1", "月~金").
bool glued_sign(char32_t c, int open_brackets) {
    if (c == ']' || c == '}') return open_brackets == 0;
    return c == '@' || c == '\\' || c == '^' || c == '`' || c == '|';
}

// Which letters form one word together: Latin letters with and without accents; kana, kanji and
// half-width katakana; the letters of one other script. None for what parts words.
constexpr int kNoWord = -1, kLatinWord = 0, kJapaneseWord = 1;

int word_group(const Range& r) {
    switch (r.kind) {
        case Kind::AsciiLetter:
        case Kind::Latin: return kLatinWord;
        case Kind::Japanese:
        case Kind::HalfWidth: return kJapaneseWord;
        case Kind::Alphabet: return 2 + static_cast<int>(&r - kRanges);
        default: return kNoWord;
    }
}

}  // namespace

int reading_cost(std::string_view utf8) {
    const auto& kanji = kanji_costs();
    int cost = 0;
    int group = kNoWord;         // of the letter before
    int half_width_before = 0;   // the half-width katakana before (U+FF60 + it), 0 at a word's edge
    bool accented = false, ascii = false;  // what the Latin word so far holds
    int letters = 0;             // of the word so far in another script
    char32_t before = 0;
    int open_brackets = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = utf8_char_length(utf8.substr(i));
        if (length == 0) return cost + kUnlikely;  // not UTF-8: no caller gives it
        char32_t c = utf8_code_point(utf8.substr(i), length);
        i += length;
        const Range& r = range_of(c);
        if (r.kind == Kind::Mark && (group == kLatinWord || group > kJapaneseWord)) {
            cost += r.cost;  // part of the letter before it
            continue;
        }
        Kind kind = r.kind == Kind::Mark ? Kind::Unlikely : r.kind;  // a mark of nothing
        if (half_width_before != 0 && kind != Kind::HalfWidth) {
            cost += half_width_pair(half_width_before, 0);
            half_width_before = 0;
        }
        if (kind == Kind::HalfWidth) {
            int k = static_cast<int>(c - 0xFF60);
            cost += half_width_pair(half_width_before, k);
            half_width_before = k;
        } else if (kind == Kind::Japanese && c >= kFirstKanji && c <= kLastKanji) {
            cost += kanji[c - kFirstKanji];
        } else if (kind == Kind::Unlikely) {
            cost += kUnlikely;
        } else {
            cost += r.cost;
            if (kind == Kind::Apart && c >= kFirstSign && c <= kLastSign && !cp932_holds_sign(c)) cost += kForeignSign;
        }
        if (ideograph(before) && glued_sign(c, open_brackets)) cost += kGluedSign;
        if (c == '[' || c == '{') ++open_brackets;
        if ((c == ']' || c == '}') && open_brackets > 0) --open_brackets;
        int g = kind == Kind::Unlikely ? kNoWord : word_group(r);
        if (group == kLatinWord && g != kLatinWord) {
            if (accented && !ascii) cost += kLoneAccented;
            accented = ascii = false;
        }
        if (g == kLatinWord) (kind == Kind::Latin ? accented : ascii) = true;
        if (g != group) {
            if (letters == 1) cost += kOneLetter;
            letters = 0;
        }
        if (g > kJapaneseWord) ++letters;
        if (g != kNoWord && g != group) cost += group == kNoWord ? r.entry : kMixed;
        group = g;
        before = c;
    }
    if (half_width_before != 0) cost += half_width_pair(half_width_before, 0);
    if (group == kLatinWord && accented && !ascii) cost += kLoneAccented;
    if (letters == 1) cost += kOneLetter;
    return cost;
}

}  // namespace tv
