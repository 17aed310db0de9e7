#include <gtest/gtest.h>

#include "common/receive_list_row.h"
#include "common/width_conversion.h"
#include "harness/harness.h"

namespace tv {
namespace {

using namespace tv::literals;

TEST(WidthConversion, NetEffectOnAColumn) {
    struct Case { std::string in, out; };
    std::vector<Case> cases{
        {"ＡＢＣ１２３"_sj, "ABC123"},
        {"abc \"'\\`~", "abc \"'\\`~"},                 // ASCII comes back as it was
        {"ｶﾞｷﾞﾊﾟﾎﾟｳﾞ"_sj, "ｶﾞｷﾞﾊﾟﾎﾟｳﾞ"_sj},              // half-width kana with marks round-trip
        {"ガパアー。「」"_sj, "ｶﾞﾊﾟｱｰ｡｢｣"_sj},               // full-width katakana narrow
        {"漢字ひらがなヴ■"_sj, "漢字ひらがなヴ■"_sj},        // other characters stay
        {"a\tb", "a" + "■"_sj + "b"},                       // control bytes become the black square
        {"\x7F", " "},
        {"x\x82", "x" + "■"_sj},                            // a lead byte ending the text
        {"￥"_sj, "\\"},                                   // the yen sign maps back to 0x5C
    };
    for (const auto& c : cases) EXPECT_EQ(convert_width(c.in), c.out) << testing::PrintToString(c.in);
}

TEST(ReceiveRow, ColumnsAndWidths) {
    std::string row = build_receive_row(std::string(60, 's'), "F", "ＡＢＣ"_sj, "2026/12/10 09:00:00");
    ASSERT_EQ(row.size(), 139u);
    EXPECT_EQ(row.substr(0, 50), std::string(50, 's'));
    EXPECT_EQ(row.substr(50, 3), "  F");
    EXPECT_EQ(row.substr(56, 60), "ABC" + std::string(57, ' '));
    EXPECT_EQ(row.substr(119), "2026/12/10 09:00:00 ");

    // A marker and 60 bytes of subject: the marker and the first 56 bytes.
    row = build_receive_row("a", " ", UNREAD_MARK() + std::string(60, 'x'), "");
    EXPECT_EQ(row.substr(56, 60), UNREAD_MARK() + std::string(56, 'x'));
    EXPECT_EQ(ANSWER_MARK(), "\x3C\x92\x4D\x3E");

    // A kanji straddling byte 50: the column never ends in half a character.
    std::string sender = std::string(49, 'a') + "漢"_sj;
    row = build_receive_row(sender, " ", "s", "");
    EXPECT_EQ(row.substr(0, 50), std::string(49, 'a') + " ");
    // Full-width letters shrink, so the cut half character shows as the black square.
    sender = "ＡＢ"_sj + std::string(45, 'a') + "漢"_sj;
    row = build_receive_row(sender, " ", "s", "");
    EXPECT_EQ(row.substr(0, 50), "AB" + std::string(45, 'a') + "■"_sj + " ");
}

TEST(ReceiveRow, RowFromRecordTakesEveryMail) {
    const std::string name = "20080512_093015.eml";
    auto record = [](std::string date, std::string subject) {
        SummaryItems items;
        items.date = "DATE: " + date;
        items.sender = "FROM: a <a@example.jp>";
        items.subject = "SUBJECT: " + subject;
        items.flag = "F";
        items.any = true;
        return std::optional<SummaryItems>(items);
    };
    struct Case { std::optional<SummaryItems> record; RowDate rule; std::string date; std::string subject; };
    std::vector<Case> cases{
        {record("2008/05/12 09:30:17", "s"), RowDate::ReceiptIfOther, "2008/05/12 09:30:17 ", "s"},
        {record("Mon, 12 May 2008 09:30:17", "s"), RowDate::ReceiptIfOther, "2008/05/12 09:30:15 ", "s"},
        {record("2008/05/11 23:59:59", "s"), RowDate::ReceiptIfOther, "2008/05/12 09:30:15 ", "s"},
        {record("2008/05/11 23:59:59", "s"), RowDate::Record, "2008/05/11 23:59:59 ", "s"},
        {record("2008/05/12 09:30:17", ""), RowDate::Record, "2008/05/12 09:30:17 ", ""},  // blank subject: a row
        {std::nullopt, RowDate::Record, "2008/05/12 09:30:15 ", ""},                       // missing record
        {SummaryItems{}, RowDate::Record, "2008/05/12 09:30:15 ", ""},                     // empty record
    };
    for (const auto& c : cases) {
        std::string row = row_from_record(c.record, name, c.rule);
        ASSERT_EQ(row.size(), 139u);
        EXPECT_EQ(row.substr(119), c.date);
        EXPECT_EQ(trim(row.substr(56, 60)), c.subject);
        EXPECT_FALSE(is_blank(row));
    }
    // A mail without a dated name and without a record still gets a visible row.
    EXPECT_FALSE(is_blank(row_from_record(std::nullopt, "", RowDate::Record)));
}

TEST(ListCache, WriteCountLoad) {
    test::Harness h;
    h.make_folder("SYSTEM_F");
    write_list_cache("SYSTEM_F\\F_JU.txt", {});
    EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), "\r\n");
    EXPECT_EQ(count_list_cache("SYSTEM_F\\F_JU.txt"), 0);
    h.write("SYSTEM_F\\F_JU.txt", "r1\r\nr2\r\nr3\r\n  \r\nr5\r\n");
    // Both stop at the first blank line, so a cache that would lose rows is never trusted.
    EXPECT_EQ(count_list_cache("SYSTEM_F\\F_JU.txt"), 3);
    EXPECT_EQ(load_list_cache("SYSTEM_F\\F_JU.txt"), (std::vector<std::string>{"r1", "r2", "r3"}));
    EXPECT_EQ(count_list_cache("SYSTEM_F\\none.txt"), 0);
}

}  // namespace
}  // namespace tv
