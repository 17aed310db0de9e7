// What a check reads: the books, the reply text and the answering log, with their limits and cuts.
#include <gtest/gtest.h>

#include "answering/check_inputs.h"
#include "answering/check_record.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "harness/harness.h"
#include "platform/forms.h"

namespace tv::answering {
namespace {

using namespace tv::literals;

std::string log_record(const std::string& subject, const std::string& body) {
    return "\"DATE: 2026/12/10 08:00:00\",\"FROM: a <a@example.jp>\",\"SUBJECT: " + subject + "\",\"Body: " + body + "\"";
}

// A sender the user put in a book is refused wherever in the book it stands.
TEST(CheckInputs, BooksKeepEveryEntryAndTheReplyText999TrimmedLines) {
    test::Harness h;
    h.install_program();
    platform::forms().load("MAINFORM");
    std::vector<std::string> book{"\" \",\" \"", "\" \",\" \"", "\"One\""};  // a blank record still counts
    for (int i = 3; i <= 1200; ++i) book.push_back("\"n" + std::to_string(i) + "\",\"a" + std::to_string(i) + "@x.jp\"");
    h.write_lines("SYSTEM_F\\KYOHI_ADDRESS.txt", book);
    std::vector<std::string> text{"\x81\x40\x81\x40indented  ", "   "};
    for (int i = 3; i <= 1005; ++i) text.push_back("line " + std::to_string(i));
    h.write_lines("SYSTEM_F\\HENSINYOU\\r.txt", text);
    globals().REPLY_TEXT_FILE = " r.txt" + std::string(494, ' ');
    CheckInputs in = load_check_inputs();
    ASSERT_EQ(in.reject.size(), 1199u);  // records 3 to 1201; record 2 is blank
    EXPECT_EQ(in.reject.front().name, "One");
    EXPECT_EQ(in.reject.front().address, "");  // a record that lacks its address reads it as empty
    EXPECT_EQ(in.reject.back().name, "n1200");  // the last record
    EXPECT_TRUE(in.specific.empty());
    EXPECT_EQ(in.reply_text_name, "r.txt");
    ASSERT_EQ(in.reply_text_lines.size(), 999u);
    EXPECT_EQ(in.reply_text_lines[0], "indented");
    EXPECT_EQ(in.reply_text_lines[1], "");
    globals().REPLY_TEXT_FILE = "gone.txt";
    EXPECT_EQ(load_check_inputs().reply_text_name, "");
}

TEST(CheckInputs, TheLogCutsLongSubjectsAndBodiesAtWholeCharacters) {
    struct Case { std::string subject, body, stored_subject, stored_body; };
    std::string a100(100, 'a'), b500(500, 'b');
    // 99 ASCII bytes and a double-byte character across the 100th byte.
    std::string split_subject = std::string(99, 's') + "件名"_sj;
    // Double-byte characters across the 250th byte and across the 250th byte from the end.
    std::string split_body = std::string(249, 'x') + "本文"_sj + std::string(249, 'y');
    std::vector<Case> cases{
        {a100, b500, a100, b500},
        {a100 + "a", b500 + "b", a100 + "･･･"_sj, std::string(250, 'b') + " （中略）"_sj + std::string(250, 'b')},
        {split_subject, split_body, std::string(99, 's') + "･･･"_sj,
         std::string(249, 'x') + " （中略）"_sj + std::string(249, 'y')},
    };
    for (const auto& c : cases) {
        test::Harness h;
        h.write_lines("SYSTEM_F\\TALVENOR.txt", {log_record(c.subject, c.body)});
        AnsweringLog log = load_answering_log();
        ASSERT_EQ(log.mails.size(), 1u);
        EXPECT_EQ(log.mails[0].subject, c.stored_subject);
        EXPECT_EQ(log.mails[0].body, c.stored_body);
        EXPECT_EQ(log.mails[0].sender, "a <a@example.jp>");
        EXPECT_EQ(log.mails[0].date, "2026/12/10 08:00:00");
    }
}

TEST(CheckInputs, AMalformedLogRecordReadsItsMissingItemsAsEmpty) {
    test::Harness h;
    h.write("SYSTEM_F\\TALVENOR.txt", "\"DATE: x\",\"FROM: a@example.jp\"\r\n\"unterminated\r\n\r\n" +
                                          log_record("s", "b") + "\r\n");
    AnsweringLog log = load_answering_log();
    ASSERT_EQ(log.mails.size(), 3u);
    EXPECT_EQ(log.mails[0].sender, "a@example.jp");
    EXPECT_EQ(log.mails[0].subject, "");
    EXPECT_EQ(log.mails[2].subject, "s");
}

}  // namespace
}  // namespace tv::answering
