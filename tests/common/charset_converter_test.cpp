#include "common/charset_converter.h"

#include <gtest/gtest.h>

#include "common/sjis.h"

namespace tv {
namespace {

TEST(CharsetConverter, StrictSubstitutingAndUnknown) {
    // A shifted charset ends in ASCII: the conversion writes the shift back at its end.
    EXPECT_EQ(charset_converter("UTF-8", "ISO-2022-JP").strict("\xE3\x81\x82"), "\x1b$B$\"\x1b(B");
    EXPECT_EQ(charset_converter("UTF-8", "ISO-2022-JP").strict("a\xF0\x9F\x98\x80"), std::nullopt);  // an emoji
    // Substituting: each bad byte once, the rest converted, a cut character at the end too.
    EXPECT_EQ(charset_converter("CP932", "UTF-8").substituting("a\x82\xa0\xFF" "b\x82", "?"), "a\xE3\x81\x82?b?");
    EXPECT_EQ(charset_converter("UTF-8", "CP932").substituting("x\xF0\x9F\x98\x80y", "?",
                                                                [](std::string_view) { return std::size_t{4}; }),
              "x?y");
    EXPECT_FALSE(charset_converter("NO-SUCH-CHARSET", "UTF-8").available());
    EXPECT_EQ(charset_converter("NO-SUCH-CHARSET", "UTF-8").strict("a"), std::nullopt);
    // One converter per pair, kept.
    EXPECT_EQ(&charset_converter("CP932", "UTF-8"), &charset_converter("CP932", "UTF-8"));
}

// How the conversion goes on after a sequence that does not convert, as its callers ask for it.
enum class Skip {
    Byte,          // one byte: the mail's texts to UTF-8, header words
    Utf8Sequence,  // one UTF-8 sequence: from_utf8_lossy, every text to CP932
    Four,          // one UTF-32 unit: character references
};

struct Conversion {
    const char* from;
    const char* to;
    std::string_view substitute;
    Skip skip;
};

constexpr Conversion kToCp932{"UTF-8", "CP932", "?", Skip::Utf8Sequence};
constexpr Conversion kToUtf8Cp932{"CP932", "UTF-8", "\xEF\xBF\xBD", Skip::Byte};
constexpr Conversion into_utf8(const char* from) { return {from, "UTF-8", "\xEF\xBF\xBD", Skip::Byte}; }

std::string convert(const Conversion& c, std::string_view text) {
    switch (c.skip) {
        case Skip::Utf8Sequence: return from_utf8_lossy(text, c.substitute);
        case Skip::Four:
            return charset_converter(c.from, c.to).substituting(text, c.substitute,
                                                                [](std::string_view) { return std::size_t{4}; });
        case Skip::Byte: break;
    }
    return charset_converter(c.from, c.to).substituting(text, c.substitute);
}

struct Captured {
    const char* what;
    Conversion conversion;
    std::string input;
    std::string output;
    // Whether the input between runs of "x" converts as it does alone (not one that ends cut short,
    // nor one into a shifted charset).
    bool repeats;
};

// Outputs captured from the converter as it was when each failing character cost one iconv call
// over the rest of the text; it must keep giving exactly these bytes.
const Captured kCaptured[] = {
    {"Korean", kToCp932, "\xed\x9a\x8c\xec\x9d\x98 \xec\x9e\x90\xeb\xa3\x8c",
     "?? ??", true},
    {"emoji", kToCp932, "\xf0\x9f\x98\x80\xf0\x9f\x8e\x89",
     "??", true},
    {"Japanese and emoji", kToCp932, "\xe4\xbb\x8a\xe6\x97\xa5\xf0\x9f\x98\x80\xe3\x81\xaf\xf0\x9f\x8e\x89\xe6\x99\xb4\xe3\x82\x8c",
     "\x8d\xa1\x93\xfa?\x82\xcd?\x90\xb0\x82\xea", true},
    {"accented Latin", kToCp932, "caf\xc3\xa9 na\xc3\xafve \xc3\x91 \xc2\xa5 \xc2\xa7 \xc3\x97",
     "caf? na?ve ? \x5c \x81\x98 \x81~", true},
    {"wave dash, minus, fullwidth tilde", kToCp932, "\xe3\x80\x9c\xe2\x88\x92\xef\xbd\x9e\xe2\x80\x96",
     "\x81`\x81|\x81`\x81\x61", true},
    {"a bad byte", kToCp932, "a\xff" "b\xfe" "c",
     "a?b?c", true},
    {"lone continuation bytes", kToCp932, "a\x80\x80" "b",
     "a??b", true},
    {"a cut character before ASCII", kToCp932, "\xe3\x81" "x",
     "??x", true},
    // Not UTF-8, so no character: one "?" for each byte (they were one "?" each, as if characters).
    {"an overlong slash", kToCp932, "\xc0\xaf" "x",
     "??x", true},
    {"a surrogate", kToCp932, "\xed\xa0\x80" "x",
     "???x", true},
    {"past U+10FFFF", kToCp932, "\xf4\x90\x80\x80" "x",
     "????x", true},
    {"past U+10FFFF, lead byte F5", kToCp932, "\xf5\x80\x80\x80" "x",
     "????x", true},
    {"a cut character at the end", kToCp932, "a\xe3\x81",
     "a??", true},
    {"NUL and controls", kToCp932, std::string("a\0b\x01\x7f", 5),
         std::string("a\0b\x01\x7f", 5), true},
    {"CP932: NEC and IBM rows", kToUtf8Cp932, "\x87\x40\xed\x40\xfa\x40\x82\xa0",
     "\xe2\x91\xa0\xe7\xba\x8a\xe2\x85\xb0\xe3\x81\x82", true},
    {"CP932: bad bytes", kToUtf8Cp932, "a\x82\xa0\xff" "b\x80" "c\xa0\xfd",
     "a\xe3\x81\x82\xef\xbf\xbd\x62\xef\xbf\xbd\x63\xef\xbf\xbd\xef\xbf\xbd", true},
    {"CP932: a lead byte before ASCII", kToUtf8Cp932, "\x82\x20x",
     "\xef\xbf\xbd x", true},
    {"CP932: user-defined area", kToUtf8Cp932, "\xf0\x40\xf9\xfc",
     "\xee\x80\x80\xee\x9d\x97", true},
    {"CP932: a cut character at the end", kToUtf8Cp932, "a\x82",
     "a\xef\xbf\xbd", false},
    {"EUC-JP-MS", into_utf8("EUC-JP-MS"), "\xa4\xa2\xad\xa1\x8f\xa2\xaf\x8e\xb1",
     "\xe3\x81\x82\xe2\x91\xa0\xcb\x98\xef\xbd\xb1", true},
    {"EUC-JP-MS: bad bytes", into_utf8("EUC-JP-MS"), "\xa4\xa2\xff\xa4" "a\xa4",
     "\xe3\x81\x82\xef\xbf\xbd\xef\xbf\xbd\x61\xef\xbf\xbd", false},
    {"UTF-8 lossy", into_utf8("UTF-8"), "\xe3\x81\x82\xff\xe3\x81" "a\xc0\xaf\xed\xa0\x80\xf0\x9f\x98\x80\xe3",
     "\xe3\x81\x82\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\x61\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xf0\x9f\x98\x80\xef\xbf\xbd", true},
    {"ISO-8859-1", into_utf8("ISO-8859-1"), "caf\xe9 \xa0\xff",
     "caf\xc3\xa9 \xc2\xa0\xc3\xbf", true},
    {"WINDOWS-1252: undefined bytes", into_utf8("WINDOWS-1252"), "\x80\x81\x8d\x9f" "a",
     "\xe2\x82\xac\xef\xbf\xbd\xef\xbf\xbd\xc5\xb8\x61", true},
    {"KOI8-R", into_utf8("KOI8-R"), "\xf0\xd2\xc9\xd7\xc5\xd4",
     "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82", true},
    {"EUC-KR: with bad bytes", into_utf8("EUC-KR"), "\xc8\xb8\xff\xc0\xc7\xc8" "a\xc8",
     "\xed\x9a\x8c\xef\xbf\xbd\xec\x9d\x98\xef\xbf\xbd\x61\xef\xbf\xbd", false},
    {"ISO-2022-KR", into_utf8("ISO-2022-KR"), "\x1b$)C\x0eH8@G\x0f" "a\x0e\xff\x0f" "b",
     "\xed\x9a\x8c\xec\x9d\x98\x61\xef\xbf\xbd\x62", true},
    {"GB2312: with bad bytes", into_utf8("GB2312"), "\xd6\xd0\xce\xc4\xff\xd6",
     "\xe4\xb8\xad\xe6\x96\x87\xef\xbf\xbd\xef\xbf\xbd", false},
    {"BIG5: with bad bytes", into_utf8("BIG5"), "\xa4\xa4\xa4\xe5\x80\xa4",
     "\xe4\xb8\xad\xe6\x96\x87\xc2\x80\xef\xbf\xbd", false},
    {"UTF-16: odd length", into_utf8("UTF-16"), std::string("\xff\xfe" "B0\x00\xd8" "a\x00" "b", 9),
     "\xe3\x81\x82\xef\xbf\xbd\xe6\x87\x98\xe6\x88\x80", false},
    {"ISO-2022-JP-2: Korean and a bad escape", into_utf8("ISO-2022-JP-2"), "\x1b$(CGQ\x1b(B" "a\x1b$B$\"\xff$\"\x1b(B",
     "\xed\x95\x9c\x61\xe3\x81\x82\xef\xbf\xbd$\x22", true},
    {"UTF-32LE to CP932", {"UTF-32LE", "CP932", "?", Skip::Four}, std::string("\x42\x30\x00\x00\x00\xf6\x01\x00\x00\xac\x00\x00\x41\x00\x00\x00", 16),
     "\x82\xa0??A", true},
    {"UTF-8 to ISO-2022-JP", {"UTF-8", "ISO-2022-JP", "?", Skip::Byte}, "\xe3\x81\x82" "a\xff" "b\xe3\x81\x84",
     "\x1b$B$\x22\x1b(Ba?b\x1b$B$$\x1b(B", false},
    {"UTF-8 to US-ASCII", {"UTF-8", "US-ASCII", "?", Skip::Byte}, "caf\xc3\xa9\xff",
     "caf???", true},
};

TEST(CharsetConverter, SubstitutesAsItAlwaysHas) {
    for (const Captured& c : kCaptured) EXPECT_EQ(convert(c.conversion, c.input), c.output) << c.what;
}

// Each input again and again between runs of "x" of many lengths, so that its failures and its
// characters fall at every place of the stretches iconv is given and of the output buffer.
TEST(CharsetConverter, SubstitutesInLongTextsAsInShortOnes) {
    for (const Captured& c : kCaptured) {
        if (!c.repeats) continue;
        std::string x = c.conversion.skip == Skip::Four ? std::string("x\0\0\0", 4) : "x";
        std::string text, expected;
        unsigned run = 1;
        for (int i = 0; i < 300; ++i) {
            run = (run * 75 + 74) % 65537 % 3000;
            for (unsigned k = 0; k < run; ++k) text += x;
            text += c.input;
            expected += std::string(run, 'x') + c.output;
        }
        EXPECT_TRUE(convert(c.conversion, text) == expected) << c.what;
    }
    // Japanese runs between emoji: a text to CP932 whose characters the stretches cut.
    std::string text, expected;
    for (unsigned run = 0; run < 3000; run += 7) {
        for (unsigned k = 0; k < run; ++k) {
            text += "\xE3\x81\x82";
            expected += "\x82\xA0";
        }
        text += "\xF0\x9F\x98\x80";
        expected += "?";
    }
    EXPECT_TRUE(from_utf8_lossy(text) == expected);
}

}  // namespace
}  // namespace tv
