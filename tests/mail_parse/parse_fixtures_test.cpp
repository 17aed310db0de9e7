// Each fixture mail is parsed by the real executable and its result compared byte for byte with
// the expected result beside it (CP932, CR LF).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "common/sjis.h"
#include "component_runner.h"
#include "harness/harness.h"
#include "result_invariants.h"
#include "common/exchange_files.h"

namespace tv::test {
namespace {

// A receipt time the dates of mails without a usable one come from.
const std::string kMailName = "20240315_093000_0001.eml";

const char* const kFixtures[] = {
    "iso2022jp_plain",   "shift_jis_8bit",   "euc_jp_8bit",      "utf8_base64",
    "quoted_printable",  "multipart_alternative", "html_only",   "two_attachments",
    "nested_forward",    "no_date",          "malformed_header", "subject_crlf",
    "body_guard_lines",  "hostile_attachment_names", "long_line", "bare_lf",
    "empty",             "binary_junk",
    // Found by the fuzzer: a sender the address parser could not take apart, and one too long for a line.
    "fuzz_sender_unclosed_1", "fuzz_sender_unclosed_2", "fuzz_sender_long",
    // Every readable text in the body: a text type without its subtype, inline text parts with
    // file names, a header block without its blank line, forwarded messages within a report.
    "text_without_subtype", "inline_named_text", "header_without_blank", "delivery_report",
    // Subject and names split over several encoded words, on one line and folded, JIS and UTF-8.
    "split_encoded_words",
    // Raw CP932 headers that EUC-JP would also read (every lead byte 0x81-0x9F: "ソフト表示").
    "raw_shift_jis_headers",
    // Attachment names sent as raw CP932 or UTF-8, quoted and bare, in either header.
    "raw_8bit_names",
    // Raw EUC-JP and raw CP932 headers, names and bodies with no charset label.
    "unlabelled_euc_jp", "unlabelled_cp932",
    // RFC 2231 names in ISO-2022-JP with NEC row 13, one continued inside a character; and
    // Shift_JIS text labelled UTF-8 in encoded words, RFC 2231 values and the body.
    "iso2022jp_extended_names", "mislabelled_cp932_words",
    // Raw CP932 half-width katakana, which EUC-JP reads in pairs as kanji and UTF-8 now and then
    // as letters of other scripts.
    "unlabelled_half_width_kana",
};

// The first line where two results differ, shown readably.
std::string first_difference(const std::string& expected, const std::string& actual) {
    std::size_t at = 0, line = 1;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        if (expected[at] == '\n') ++line;
        ++at;
    }
    auto line_at = [at](const std::string& s) {
        std::size_t begin = s.rfind('\n', at == 0 ? 0 : at - 1);
        begin = begin == std::string::npos ? 0 : begin + 1;
        return to_utf8(s.substr(begin, std::min<std::size_t>(s.find('\r', begin) - begin, 200)));
    };
    return "line " + std::to_string(line) + "\n expected: " + line_at(expected) + "\n actual:   " + line_at(actual);
}

struct ParsedFixture {
    Harness h;
    std::string mail;
    std::vector<std::string> lines;

    explicit ParsedFixture(const std::string& name) : mail(fixture(name + ".eml")) {
        h.make_folder("SYSTEM_F");
        h.make_folder("TENPFIL");
        h.write("JUSINBOX\\" + kMailName, mail);
        h.write(exchange::kRequestFile, "JUSINBOX\\" + kMailName + "\r\n");
        EXPECT_EQ(run_mail_component(h.folder, "parse"), 0);
        lines = expect_sound_result(h);
    }
};

class ParseFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(ParseFixture, GivesTheExpectedResultAndTouchesNothingElse) {
    std::string name = GetParam();
    ParsedFixture parsed(name);
    std::string expected = fixture(name + ".expected");
    std::string actual = parsed.h.read(exchange::kParseResultFile);
    EXPECT_TRUE(actual == expected) << first_difference(expected, actual);

    // The mail stays as it was; besides the result only the attachments were written, and the
    // marks of the one mail that earns any (a delivery report is a machine's mail).
    EXPECT_EQ(parsed.h.read("JUSINBOX\\" + kMailName), parsed.mail);
    std::vector<std::string> written = {"JUSINBOX/" + kMailName, "SYSTEM_F/CHECK.txt", "SYSTEM_F/YOMITORI.txt"};
    if (name == "delivery_report") {
        EXPECT_EQ(parsed.h.read(exchange::kParseMarksFile), "AUTOMATIC\r\n");
        written.push_back("SYSTEM_F/YOMITORI_MARKS.txt");
    }
    for (const std::string& attachment : attachment_names(parsed.lines)) written.push_back("TENPFIL/" + to_utf8(attachment));
    std::sort(written.begin(), written.end());
    EXPECT_EQ(files_below(parsed.h.folder), written);
}

INSTANTIATE_TEST_SUITE_P(Mails, ParseFixture, ::testing::ValuesIn(kFixtures));

TEST(ParseAttachments, AreSavedDecodedUnderTheirOwnNames) {
    ParsedFixture parsed("two_attachments");
    using namespace tv::literals;
    EXPECT_EQ(attachment_names(parsed.lines), (std::vector<std::string>{"見積書 ①.pdf"_sj, "売上表.xls"_sj}));
    EXPECT_EQ(parsed.h.read("TENPFIL\\" + "見積書 ①.pdf"_sj), "%PDF-1.4\n% fake pdf for the test\n%%EOF\n");
    std::string all_bytes;
    for (int c = 0; c < 256; ++c) all_bytes.push_back(static_cast<char>(c));
    EXPECT_EQ(parsed.h.read("TENPFIL\\" + "売上表.xls"_sj), all_bytes);
}

// A raw name is read as the headers' raw text is, before GMime takes the parameters apart: the
// 0x5C trail byte of 表, ソ and 能 is neither an escape in a quoted value nor a folder separator.
TEST(ParseAttachments, RawEightBitNamesAreReadAsUtf8OrElseCp932) {
    ParsedFixture parsed("raw_8bit_names");
    using namespace tv::literals;
    EXPECT_EQ(attachment_names(parsed.lines),
              (std::vector<std::string>{"予定表.txt"_sj, "あいう.txt"_sj, "表.txt"_sj, "ソフト表.bin"_sj,
                                        "能力表.bin"_sj, "会議予定表.txt"_sj, "一覧表.txt"_sj}));
    EXPECT_EQ(parsed.h.read("TENPFIL\\" + "表.txt"_sj), "table");
    EXPECT_EQ(parsed.h.read("TENPFIL\\" + "ソフト表.bin"_sj), "soft");
}

// Text that comes with no charset label, in headers, names and bodies alike: the likeliest of its
// readings as UTF-8, EUC-JP (unless that reading holds C1 controls, as CP932 read as EUC-JP nearly
// always does) and CP932. Half-width kana are 8E xx in EUC-JP and single bytes A1-DF in CP932.
TEST(ParseUnlabelledText, IsReadAsTheJapaneseCharsetItWasWrittenIn) {
    struct Case {
        const char* what;
        const char* fixture;
        const char* line;  // UTF-8
    };
    const Case cases[] = {
        {"EUC-JP sender name", "unlabelled_euc_jp", "FROM: 山田 太郎 <yamada@example.co.jp>"},
        {"EUC-JP half-width kana name", "unlabelled_euc_jp", "TO: ﾊﾅｺ <hanako@example.jp>"},
        {"EUC-JP subject", "unlabelled_euc_jp", "SUBJECT: 会議のお知らせ"},
        {"EUC-JP body with half-width kana", "unlabelled_euc_jp", "Body: 明日の会議は第２会議室（ﾀﾞｲﾆｶｲｷﾞｼﾂ）です。"},
        {"EUC-JP attachment name", "unlabelled_euc_jp", "File: TENPFIL\\議事録.txt"},
        {"CP932 half-width kana sender name", "unlabelled_cp932", "FROM: ｿﾌﾄ開発部 <dev@soft.example.jp>"},
        {"CP932 name", "unlabelled_cp932", "TO: 表 花子 <hanako@example.jp>"},
        {"CP932 subject EUC-JP also reads", "unlabelled_cp932", "SUBJECT: ソフト表示のﾃｽﾄ"},
        {"CP932 body EUC-JP also reads", "unlabelled_cp932", "Body: ソフト表示のﾃｽﾄ"},
        {"CP932 subject, every lead byte 0x81-0x9F", "raw_shift_jis_headers", "SUBJECT: ソフト表示"},
        {"CP932 quoted name", "raw_8bit_names", "File: TENPFIL\\予定表.txt"},
        {"CP932 bare name ending in 0x5C", "raw_8bit_names", "File: TENPFIL\\表.txt"},
        {"UTF-8 name", "raw_8bit_names", "File: TENPFIL\\一覧表.txt"},
        {"UTF-8 sender name", "shift_jis_8bit", "FROM: 鈴木 一郎 <suzuki@example.ne.jp>"},
    };
    std::map<std::string, std::vector<std::string>> results;  // UTF-8 lines of each fixture's result
    for (const Case& c : cases) {
        std::vector<std::string>& lines = results[c.fixture];
        if (lines.empty()) {
            for (const std::string& line : ParsedFixture(c.fixture).lines) lines.push_back(to_utf8(line));
        }
        std::string shown;
        for (const std::string& line : lines) shown += "\n  " + line;
        EXPECT_TRUE(std::find(lines.begin(), lines.end(), c.line) != lines.end()) << c.what << ": " << c.line << shown;
    }
}

// Encoded words and RFC 2231 values are read as a body is: by their label where their bytes fit it,
// ISO-2022-JP with the rows CP932 adds, else guessed; a 0x5C trail byte is never a folder separator.
TEST(ParseLabelledText, WordsAndNamesAreReadByTheirLabelOrElseGuessed) {
    struct Case {
        const char* what;
        const char* fixture;
        std::vector<std::string> lines;  // UTF-8, in this order among the result's lines
    };
    const Case cases[] = {
        {"ISO-2022-JP RFC 2231 names with NEC row 13, plain, continued inside a character, in the type",
         "iso2022jp_extended_names",
         {"File: TENPFIL\\①資料の表.txt", "File: TENPFIL\\№12 ㈱見積②.pdf", "File: TENPFIL\\㈲表計算.bin"}},
        {"Shift_JIS labelled UTF-8 in the sender, the recipient and a subject split after a lead byte",
         "mislabelled_cp932_words",
         {"FROM: 鈴木 一郎 <suzuki@example.jp>", "TO: 表 花子 <hanako@example.jp>", "SUBJECT: 予定表を送ります",
          "Body: 予定表をお送りします。"}},
        {"Shift_JIS labelled UTF-8 in a B word, an RFC 2231 value and a Q word, each with 0x5C trail bytes",
         "mislabelled_cp932_words",
         {"File: TENPFIL\\予定表.pdf", "File: TENPFIL\\能力表.txt", "File: TENPFIL\\ソフト表.xls"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines;
        for (const std::string& line : ParsedFixture(c.fixture).lines) lines.push_back(to_utf8(line));
        auto at = lines.begin();
        for (const std::string& wanted : c.lines) {
            at = std::find(at, lines.end(), wanted);
            EXPECT_NE(at, lines.end()) << c.what << ": " << wanted;
        }
    }
}

TEST(ParseAttachments, AnInlineNamedTextIsSavedDecodedBesideItsTextInTheBody) {
    ParsedFixture parsed("inline_named_text");
    using namespace tv::literals;
    EXPECT_EQ(attachment_names(parsed.lines),
              (std::vector<std::string>{"build.log", "テスト結果.txt"_sj, "secret.txt"}));
    EXPECT_EQ(parsed.h.read("TENPFIL\\" + "テスト結果.txt"_sj), "テスト 12 件すべて成功\n");  // as sent: UTF-8
}

TEST(ParseAttachments, AForwardedMessageIsSavedWholeWithItsOwnAttachment) {
    ParsedFixture parsed("nested_forward");
    using namespace tv::literals;
    ASSERT_EQ(attachment_names(parsed.lines).size(), 2u);
    std::string forwarded = parsed.h.read("TENPFIL\\" + attachment_names(parsed.lines)[0]);
    EXPECT_NE(forwarded.find("From: \"Original Sender\" <orig@example.org>"), std::string::npos);
    EXPECT_NE(forwarded.find("Original body."), std::string::npos);
    EXPECT_NE(forwarded.find("filename=\"notes.txt\""), std::string::npos);
}

}  // namespace
}  // namespace tv::test
