#include "common/summary_record.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/exchange_files.h"
#include "harness/harness.h"
#include "store/parse_exchange.h"
#include "store/summary_writer.h"

namespace tv {
namespace {

using namespace tv::literals;

TEST(SummaryRecord, RecordNames) {
    struct Case { const char* mail; const char* record; };
    for (auto c : std::vector<Case>{{"20261210_090000.eml", "20261210_090000.dxd"},
                                    {"a.b.c.eml", "a.b.c.dxd"},
                                    {"noext", "noext.dxd"},
                                    {".eml", ".dxd"},
                                    {"  x.eml  ", "x.dxd"}}) {
        EXPECT_EQ(SUMMARY_RECORD_NAME(c.mail), c.record) << c.mail;
    }
    // A dot can never be the second byte of a character, but a backslash can: names stay whole.
    EXPECT_EQ(SUMMARY_RECORD_NAME("ソ"_sj + ".eml"), "ソ"_sj + ".dxd");
}

TEST(SummaryRecord, SenderCleaning) {
    const std::string dot = "\xA5";  // the half-width middle dot
    struct Case { std::string in, out; };
    std::vector<Case> cases{
        {"FROM: \"Taro, Yamada\" <taro@example.jp>", "FROM: Taro. Yamada <taro@example.jp>"},
        {"FROM: \"Taro\"  <t@example.jp>", "FROM: Taro" + dot + "  <t@example.jp>"},  // two blanks before "<"
        {"FROM: \"Taro\"<t@example.jp>", "FROM: Taro<t@example.jp>"},
        {"FROM: Ta\"ro <t@exa\"mple.jp>", "FROM: Ta" + dot + "ro <t@example.jp>"},
        {"FROM: a<b <c@example.jp>", "FROM: a<b <c@example.jp>"},
        {"FROM: a, b <c@example.jp", "FROM: a, b <c@example.jp"},  // no ">": not split, commas stay
        {"FROM: \"x,y\" c@example.jp", "FROM: x,y c@example.jp"},  // no brackets: only quotes go
        {"FROM: Name \\(x\\) <n@example.jp>", "FROM: <n@example.jp>"},
        {"FROM: " + "表"_sj + "( <n@example.jp>", "FROM: <n@example.jp>"},  // 0x5C second byte before "("
        {"FROM:", "FROM:"},
        {"<a>", "<a>"},    // a last "<" at byte 1 leaves the line unsplit
        {"x<a>", "x<a>"},  // ... and at byte 2
    };
    for (const auto& c : cases) EXPECT_EQ(CLEAN_SENDER_LINE(c.in), c.out) << c.in;
}

TEST(SummaryRecord, SubjectCleaning) {
    const std::string dot = "\xA5";
    struct Case { std::string in, out; };
    std::vector<Case> cases{
        {"SUBJECT: \"Hello\"", "SUBJECT: Hello"},
        {"SUBJECT: a\"b,c", "SUBJECT: a" + dot + "bc"},
        {"SUBJECT: \"", "SUBJECT: "},
        {"SUBJECT: a, b, c", "SUBJECT: a b c"},
    };
    for (const auto& c : cases) EXPECT_EQ(CLEAN_SUBJECT_LINE(c.in), c.out) << c.in;
}

TEST(SummaryRecord, GoldenRecordFileAndReadBack) {
    test::Harness h;
    h.make_folder("SYSTEM_F\\F_D_F");
    h.write("SYSTEM_F\\F_D_F\\20261210_090000.dxd", "old content that is replaced, not appended to\r\n");
    ParseResult result(ParseResult::Status::Complete,
                       {"  DATE: 2026/12/10 09:00:00, \"x\" ", "FROM: \"Yamada, Taro\" <taro@example.jp>", "TO: me",
                        "SUBJECT: \"Re: a, b\"", "Body: hi", "File: TENPFIL\\a.pdf", std::string(exchange::kEndLine)});
    h.run([&] { store::WRITE_SUMMARY_RECORD("SYSTEM_F\\F_D_F", "20261210_090000.eml", result); });
    EXPECT_EQ(h.read("SYSTEM_F\\F_D_F\\20261210_090000.dxd"),
              "\"DATE: 2026/12/10 09:00:00, x\",\"FROM: Yamada. Taro <taro@example.jp>\",\"SUBJECT: Re: a b\",\"F\"\r\n");
    EXPECT_EQ(h.clock().paused_ms(), 20);
    auto items = read_summary_record("SYSTEM_F\\F_D_F\\20261210_090000.dxd");
    ASSERT_TRUE(items);
    EXPECT_EQ(items->date, "DATE: 2026/12/10 09:00:00, x");
    EXPECT_EQ(items->sender, "FROM: Yamada. Taro <taro@example.jp>");
    EXPECT_EQ(items->subject, "SUBJECT: Re: a b");
    EXPECT_EQ(items->flag, "F");
}

TEST(SummaryRecord, ReadingEmptyMissingAndDamagedRecords) {
    test::Harness h;
    h.write("R\\empty.dxd", "");
    h.write("R\\two.dxd", "\"DATE: a\",\"FROM: b\",\"SUBJECT: c\",\" \"\r\n\"DATE: d\",\"FROM: e\",\"SUBJECT: f\",\"F\"\r\n");
    h.write("R\\damaged.dxd", "\"DATE: a\",\"FROM: b\"\r\n");
    EXPECT_FALSE(read_summary_record("R\\missing.dxd").has_value());
    EXPECT_FALSE(read_summary_record("R\\empty.dxd")->any);
    EXPECT_EQ(read_summary_record("R\\two.dxd")->subject, "SUBJECT: f");  // the last record counts
    try {
        read_summary_record("R\\damaged.dxd");
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 54);
    }
}

}  // namespace
}  // namespace tv
