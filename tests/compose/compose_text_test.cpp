// The text rules of composing: the body's lines, the request a mail becomes, a stored unsent mail
// read back, and the rows of the picker and the unsent-mail list.
#include <gtest/gtest.h>

#include "common/address_book.h"
#include "common/sjis.h"
#include "compose/body_lines.h"
#include "compose/composed_mail.h"
#include "compose/picker.h"
#include "compose/unsent_list.h"
#include "compose/unsent_mail.h"

namespace tv::compose {
namespace {

using namespace tv::literals;
using Lines = std::vector<std::string>;

TEST(BodyLines, SplitAtEveryLineBreakEachLineAsTyped) {
    std::string long_body;
    for (int i = 0; i < 500; ++i) long_body += "line " + std::to_string(i) + " of a long body\r\n";
    long_body += "the last line";
    ASSERT_GT(long_body.size(), 10000u);
    struct Case {
        const char* name;
        std::string text;
        std::size_t count;
        std::string first, last;
    } cases[] = {
        {"empty", "", 1, "", ""},
        {"blanks around", "  a  \r\n b \r\n", 3, "  a  ", ""},
        // A paragraph's full-width indent is the mail's, also on its first line.
        {"full-width indent", "　本文　\r\n　次"_sj, 2, "　本文　"_sj, "　次"_sj},
        {"over 10,000 bytes, kept whole", long_body, 501, "line 0 of a long body", "the last line"},
    };
    for (const auto& c : cases) {
        Lines lines = split_body(c.text);
        ASSERT_EQ(lines.size(), c.count) << c.name;
        EXPECT_EQ(lines.front(), c.first) << c.name;
        EXPECT_EQ(lines.back(), c.last) << c.name;
    }
    EXPECT_EQ(split_body("a\r\n b \r\nc")[1], " b ");
}

TEST(RequestLines, SendAndSaveWriteOneRequestLayout) {
    ComposedMail mail{"Hanako <hanako@example.jp>", "件名"_sj, {"  first", "  second  ", "File: x", "MAIL_END", "bad\rcut"}, {}};
    const std::string from = "FROM:Taro<taro@example.jp>";
    // Each line keeps its indent and loses its trailing blanks.
    EXPECT_EQ(request_lines(mail, from),
              (Lines{"TO:Hanako <hanako@example.jp>", from, "SUBJECT:" + "件名"_sj, "  first", "  second", " File: x",
                     " MAIL_END", "bad", "FILE:", "MAIL_END"}));
    mail.attachments = {"/home/taro/a.txt", "/home/taro/b c.pdf"};
    mail.body = {"　second  "_sj, "file:y  "};
    EXPECT_EQ(request_lines(mail, from),
              (Lines{"TO:Hanako <hanako@example.jp>", from, "SUBJECT:" + "件名"_sj, "　second"_sj, " file:y",
                     "FILE:/home/taro/a.txt", "FILE:/home/taro/b c.pdf", "MAIL_END"}));
    // A line break pasted into a one-line box never starts a line of its own.
    mail.recipient = "a@example.jp\r\nSUBJECT:x";
    EXPECT_EQ(request_lines(mail, from)[0], "TO:a@example.jp  SUBJECT:x");
}

TEST(UnsentMail, OnlyTheFileLinesBeforeTheEndLineAreAttachments) {
    Lines stored{"TO:Hanako <h@example.jp>", "FROM:Taro<t@example.jp>", "SUBJECT: hello ", "body  ",
                 "File: x", "after", "FILE:/home/a.txt", "FILE:  ", "file: /home/b.txt  ", "MAIL_END"};
    UnsentMail mail = read_unsent_mail(stored);
    EXPECT_EQ(mail.recipient, "Hanako <h@example.jp>");
    EXPECT_EQ(mail.subject, " hello ");
    EXPECT_EQ(mail.body, (Lines{"body", "File: x", "after"}));
    EXPECT_EQ(mail.attachments, (Lines{"/home/a.txt", "/home/b.txt"}));
    EXPECT_EQ(unsent_row(mail).substr(48, 6), "  F   ");

    UnsentMail bare = read_unsent_mail({"TO:a@b", "FROM:x", "SUBJECT:s", "File: in the body", "last", "FILE:", "MAIL_END"});
    EXPECT_EQ(bare.body, (Lines{"File: in the body", "last"}));
    EXPECT_TRUE(bare.attachments.empty());
    EXPECT_EQ(unsent_row(bare).substr(48, 6), "      ");

    // A file of two lines: its recipient and blank columns.
    std::string row = unsent_row(read_unsent_mail({"TO:" + std::string(60, 'r'), "FROM:x"}));
    EXPECT_EQ(row.size(), 144u);
    EXPECT_EQ(row.substr(0, 48), std::string(48, 'r'));
    EXPECT_EQ(row.substr(48), std::string(96, ' '));
}

TEST(PickerRows, ColumnsAndSearchModes) {
    std::string row = picker_row("山田太郎"_sj, "taro@example.jp");
    EXPECT_EQ(row.size(), 92u);
    EXPECT_EQ(row.substr(40, 2), "  ");
    EXPECT_EQ(row.substr(42, 15), "taro@example.jp");
    // A cut inside a double-byte character leaves a blank.
    EXPECT_EQ(picker_row(std::string(39, 'a') + "山"_sj, "x").substr(39, 1), " ");
    struct Case {
        const char* key;
        const char* mode;
        bool found;
    } cases[] = {{"taro", "0", true}, {"TARO", "0", false}, {"TARO", "1", true},
                 {"EXAMPLE", "1", true}, {"taro", "2", false}, {"taro", "x", true}};
    for (const auto& c : cases) EXPECT_EQ(search_matches(row, c.key, c.mode), c.found) << c.key << " " << c.mode;
}

}  // namespace
}  // namespace tv::compose
