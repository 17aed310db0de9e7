#include <gtest/gtest.h>

#include "common/folder_list_row.h"
#include "common/sjis.h"

namespace tv {
namespace {

using namespace tv::literals;

// Columns of a 129-byte row.
std::string address(const std::string& row) { return row.substr(0, 46); }
std::string flag(const std::string& row) { return row.substr(46, 3); }
std::string subject(const std::string& row) { return row.substr(52, 54); }
std::string date(const std::string& row) { return row.substr(109, 20); }
std::string padded(const std::string& s, std::size_t width) { return s + std::string(width - s.size(), ' '); }

SummaryItems record(const std::string& date_text, const std::string& sender, const std::string& subject_text) {
    SummaryItems items;
    items.date = "DATE: " + date_text;
    items.sender = "FROM: " + sender;
    items.subject = "SUBJECT: " + subject_text;
    items.flag = "F";
    items.any = true;
    return items;
}

TEST(FolderRows, ReceivedRowColumns) {
    struct Case { const char* name; std::string sender, subject, date; std::string want_sender, want_subject, want_date; };
    std::vector<Case> cases{
        {"long ASCII sender", std::string(50, 's'), "x", "2026/12/01 10:00:00", std::string(46, 's'), padded("x", 54),
         "2026/12/01 10:00:00 "},
        {"full-width letters and katakana narrow", "a", "ＡＢＣ１２３ｶﾞガ"_sj, "d", padded("a", 46),
         padded("ABC123ｶﾞｶﾞ"_sj, 54), padded("d", 20)},
        {"a TAB becomes the black square", "a", "x\ty", "d", padded("a", 46), padded("x■y"_sj, 54), padded("d", 20)},
        // Cut to 54 bytes first, so the narrowed text leaves blanks rather than more of the subject.
        {"cut before narrowing", "a", [] { std::string s; for (int i = 0; i < 30; ++i) s += "ア"_sj; return s; }(),
         "d", padded("a", 46), padded(std::string(27, '\xB1'), 54), padded("d", 20)},
        // A lead byte cut off at byte 46 never leaves half a character in the column.
        {"lead byte at the cut", std::string(45, 'a') + "漢"_sj, "x", "d", std::string(45, 'a') + " ", padded("x", 54),
         padded("d", 20)},
        {"date as stored, first 20 bytes", "a", "x", "Mon, 12 May 2008 09:30:17 +0900", padded("a", 46), padded("x", 54),
         "Mon, 12 May 2008 09:"},
        {"blank subject still a row", "a", "", "d", padded("a", 46), std::string(54, ' '), padded("d", 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string row = folder_received_row(record(c.date, c.sender, c.subject), "20261201_100000.eml");
        ASSERT_EQ(row.size(), 129u);
        EXPECT_EQ(address(row), c.want_sender);
        EXPECT_EQ(flag(row), "  F");
        EXPECT_EQ(subject(row), c.want_subject);
        EXPECT_EQ(date(row), c.want_date);
    }
    // An empty record would give a blank row, which a cache cannot hold: the mail still shows.
    std::string row = folder_received_row(SummaryItems{}, "20261201_100000.eml");
    EXPECT_FALSE(is_blank(row));
    EXPECT_EQ(date(row), "2026/12/01 10:00:00 ");
}

TEST(FolderRows, SentRowColumns) {
    struct Case { const char* name; std::vector<std::string> lines; std::string want_address, want_flag, want_subject, want_date; };
    // The labels "TO:", "SUBJECT:" and "DATE:" go; the blank after them stays.
    std::vector<Case> cases{
        {"texts as stored", {"DATE: 2026/12/01 10:00:00", "FROM: me", "TO: ＡＢＣ@example.jp"_sj, "SUBJECT: 件名ｶﾞ"_sj, "BODY:", "FILE:"},
         padded(" ＡＢＣ@example.jp"_sj, 46), "   ", padded(" 件名ｶﾞ"_sj, 54), " 2026/12/01 10:00:00"},
        {"last FILE: line bare", {"DATE: d", "", "TO: a", "SUBJECT: s", "BODY:", "File: TENPFIL\\a.pdf", "FILE:"},
         padded(" a", 46), "   ", padded(" s", 54), padded(" d", 20)},
        {"last FILE: line names a file", {"DATE: d", "", "TO: a", "SUBJECT: s", "BODY:", "FILE:", "file: TENPFIL\\a.pdf"},
         padded(" a", 46), "  F", padded(" s", 54), padded(" d", 20)},
        {"blank recipient still a row", {"DATE: d", "FROM: me", "   ", "SUBJECT: s"}, std::string(46, ' '), "   ",
         padded(" s", 54), padded(" d", 20)},
        {"a file with no lines shows its name", {}, std::string(46, ' '), "   ", padded("20261201_100000.txt", 54),
         std::string(20, ' ')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string row = folder_sent_row(c.lines, "20261201_100000.txt");
        ASSERT_EQ(row.size(), 129u);
        EXPECT_EQ(address(row), c.want_address);
        EXPECT_EQ(flag(row), c.want_flag);
        EXPECT_EQ(subject(row), c.want_subject);
        EXPECT_EQ(date(row), c.want_date);
    }
}

}  // namespace
}  // namespace tv
