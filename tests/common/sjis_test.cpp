#include "common/sjis.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

using namespace tv::literals;

// "ソ" is 83 5C: its second byte is a backslash. "表" is 95 5C. "あ" is 82 A0.
const std::string kSo = "\x83\x5C";
const std::string kFullBlank = "\x81\x40";

TEST(Sjis, LeadBytes) {
    struct Case { unsigned char byte; bool lead; };
    for (auto c : std::vector<Case>{{0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false}, {0xA5, false},
                                    {0xDF, false}, {0xE0, true}, {0xFC, true}, {0xFD, false}, {0x5C, false}}) {
        EXPECT_EQ(is_lead_byte(c.byte), c.lead) << int(c.byte);
    }
}

TEST(Sjis, TrimRemovesHalfAndFullWidthBlanksAtCharacterBoundaries) {
    struct Case { std::string in, out; };
    std::vector<Case> cases{
        {"  abc  ", "abc"},
        {kFullBlank + " abc" + kFullBlank, "abc"},
        {"\tabc\t", "\tabc\t"},  // tabs are not blanks
        {"", ""},
        {"   ", ""},
        {kFullBlank + kFullBlank, ""},
        // 0x81 0x40 inside a character pair: "\x88\x81" + "\x40" is not a full-width blank at the end.
        {"a\x88\x81\x40", "a\x88\x81\x40"},
        {kSo + " ", kSo},
        {" " + kSo, kSo},
    };
    for (const auto& c : cases) EXPECT_EQ(trim(c.in), c.out) << c.in;
    EXPECT_TRUE(is_blank(" " + kFullBlank + " "));
    EXPECT_FALSE(is_blank(" x "));
}

TEST(Sjis, CaseChangeLeavesTrailBytesAlone) {
    // "ｱ" is single byte A0..; "ャ" is 83 83; "ャ"-like pair 83 61 has an ASCII 'a' as trail byte.
    const std::string pair_with_a = "\x83\x61";
    EXPECT_EQ(upper_ascii("file:" + pair_with_a + "x"), "FILE:" + pair_with_a + "X");
    EXPECT_EQ(lower_ascii("ABC" + std::string("\x82\x60") + "Z"), "abc\x82\x60z");
    EXPECT_TRUE(starts_with_upper("File: x", "FILE:"));
    EXPECT_FALSE(starts_with_upper(" FILE:", "FILE:"));
    EXPECT_FALSE(starts_with_upper("FIL", "FILE:"));
}

TEST(Sjis, ByteCutsGiveEmptyPastTheEnd) {
    EXPECT_EQ(from_byte("FROM: x", 7), "x");
    EXPECT_EQ(from_byte("FROM: ", 7), "");
    EXPECT_EQ(from_byte("abc", 10), "");
    EXPECT_EQ(mid_bytes("abcdef", 2, 3), "bcd");
    EXPECT_EQ(mid_bytes("abc", 5, 3), "");
    EXPECT_EQ(left_bytes("abc", 5), "abc");
    EXPECT_EQ(right_bytes("abcdef", 2), "ef");
}

TEST(Sjis, FitWidthPadsCutsAndBlanksADanglingLeadByte) {
    const std::string a = "\x82\xA0";  // あ
    struct Case { std::string in; std::size_t width; std::string out; };
    std::vector<Case> cases{
        {"abc", 5, "abc  "},
        {"abcdef", 4, "abcd"},
        {"a" + a + a, 4, "a" + a + " "},  // the second あ would be cut in half
        {a + a, 4, a + a},
        {"", 3, "   "},
        {"ab\x82", 4, "ab  "},  // a lone lead byte at the end of the text
    };
    for (const auto& c : cases) {
        std::string out = fit_width(c.in, c.width);
        EXPECT_EQ(out, c.out);
        EXPECT_EQ(out.size(), c.width);
    }
}

TEST(Sjis, LeftWholeCharsNeverCutsADoubleByteCharacter) {
    const std::string a = "\x82\xA0";  // あ
    EXPECT_EQ(left_whole_chars("a" + a + "b", 2), "a");
    EXPECT_EQ(left_whole_chars("a" + a + "b", 3), "a" + a);
    EXPECT_EQ(left_whole_chars("abc", 5), "abc");
    EXPECT_EQ(left_whole_chars(a, 0), "");
}

TEST(Sjis, BackslashSearchSkipsSecondBytes) {
    std::string path = "JUSINBOX\\" + kSo + "a.eml";
    EXPECT_EQ(find_last_char(path, '\\'), 8u);
    EXPECT_EQ(find_last_char(kSo, '\\'), std::string::npos);
    EXPECT_EQ(find_first_char("a.b.c", '.', 2), 3u);
}

TEST(Sjis, ConversionsThroughCp932) {
    EXPECT_EQ("あ"_sj, "\x82\xA0");
    EXPECT_EQ("<樽>"_sj, "\x3C\x92\x4D\x3E");
    EXPECT_EQ("\\"_sj, "\\");  // CP932, not Shift_JIS: 0x5C stays a backslash
    EXPECT_EQ("～"_sj, "\x81\x60");  // the full-width tilde CP932 maps
    EXPECT_EQ(to_utf8("\x82\xA0\x5C"), "あ\\");
    EXPECT_EQ(to_utf8("a\x82"), "a\xEF\xBF\xBD");         // a cut character shows as U+FFFD
    EXPECT_EQ(to_utf8("\xFF" "b"), "\xEF\xBF\xBD" "b");
    EXPECT_FALSE(from_utf8("😀").has_value());
    EXPECT_FALSE(from_utf8("é").has_value());
    EXPECT_EQ(from_utf8_lossy("a😀b"), "a?b");
    EXPECT_EQ(&"あ"_sj, &"あ"_sj);  // converted once per literal
}

// A disk path is held in CP932 only when the CP932 form names the same file again.
TEST(Sjis, PathsThatComeBackAsAnotherNameAreRefused) {
    EXPECT_EQ(path_from_utf8("/home/u/期間～2026"), "/home/u/期間"_sj + "\x81\x60" + "2026");  // U+FF5E
    EXPECT_EQ(path_from_utf8("/home/u/期間\u301C2026"), std::nullopt);  // the wave dash comes back as U+FF5E
    EXPECT_EQ(path_from_utf8("/tmp/a\u2212b"), std::nullopt);            // the minus sign as U+FF0D
    EXPECT_EQ(path_from_utf8("/tmp/é"), std::nullopt);
    EXPECT_TRUE(from_utf8("期間\u301C"));  // typed text keeps its wave dash
}

TEST(Sjis, NumericValueOfOptionTexts) {
    struct Case { const char* text; long long value; };
    for (auto c : std::vector<Case>{{"1", 1}, {" 300 ", 300}, {"", 0}, {"abc", 0}, {"2x", 2}, {"-1", -1}, {"0", 0}}) {
        EXPECT_EQ(numeric_value(c.text), c.value) << c.text;
    }
}

}  // namespace
}  // namespace tv
