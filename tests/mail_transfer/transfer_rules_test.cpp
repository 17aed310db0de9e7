// The rules of the transfers that need no server: names of new mail files, charsets, the EHLO
// name, recipients, the request layout and the result line.
#include <gtest/gtest.h>

#include <ctime>

#include "common/sjis.h"
#include "common/text_file.h"
#include "harness/harness.h"
#include "mail/transfer/addresses.h"
#include "mail/transfer/mail_names.h"
#include "mail/transfer/mime_charset.h"
#include "mail/transfer/send_request.h"
#include "mail/transfer/smtp_session.h"
#include "mail/transfer/transfer_error.h"
#include "mail/transfer/transfer_result.h"

namespace tv::mail {
namespace {

using namespace tv::literals;

std::time_t local_time(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

struct NamesCase {
    const char* name;
    std::vector<std::string> existing;
    std::vector<std::string> expected;  // two new names, the clock at 2026-12-10 09:30:00
};
void PrintTo(const NamesCase& c, std::ostream* out) { *out << c.name; }


class MailNamesTest : public ::testing::TestWithParam<NamesCase> {};

TEST_P(MailNamesTest, NewNamesSortAfterEveryFileAndStartWithTheTime) {
    test::Harness h;
    for (const auto& name : GetParam().existing) h.write("JUSINBOX\\" + name, "x");
    h.make_folder("JUSINBOX");
    auto names = next_mail_names("JUSINBOX", 2, ".eml", local_time(2026, 12, 10, 9, 30, 0));
    EXPECT_EQ(names, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MailNamesTest,
    ::testing::Values(
        NamesCase{"Empty", {}, {"20261210_093000_000001.eml", "20261210_093000_000002.eml"}},
        NamesCase{"OlderFiles", {"20261209_235959_000007.eml"}, {"20261210_093000_000001.eml", "20261210_093000_000002.eml"}},
        NamesCase{"SameSecond", {"20261210_093000_000007.eml"}, {"20261210_093000_000008.eml", "20261210_093000_000009.eml"}},
        NamesCase{"ClockWentBack", {"20270101_000000_000001.eml"}, {"20270101_000000_000002.eml", "20270101_000000_000003.eml"}},
        NamesCase{"ForeignSuffixSortsLater", {"20261210_093000xyz.eml"}, {"20261210_093001_000001.eml", "20261210_093001_000002.eml"}},
        NamesCase{"SequenceFull", {"20261231_235959_999999.eml"}, {"20270101_000000_000001.eml", "20270101_000000_000002.eml"}},
        NamesCase{"HiddenFilesIgnored", {".20991231_000000_000001.eml"}, {"20261210_093000_000001.eml", "20261210_093000_000002.eml"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MailNames, RefusesAFolderWhoseNewestNameNoTimeCanFollow) {
    test::Harness h;
    h.write("JUSINBOX\\zzz.eml", "x");
    EXPECT_THROW(next_mail_names("JUSINBOX", 1, ".eml", std::time(nullptr)), TransferError);
}

struct CharsetCase {
    const char* text;  // UTF-8
    const char* charset;
};

TEST(MimeCharset, IsoTwoThousandTwentyTwoJpWhereItFitsAndBackToTheSameCp932) {
    const CharsetCase cases[] = {
        {"plain ascii", "us-ascii"},
        {"日本語のテキスト", "iso-2022-jp"},
        {"波ダッシュ～全角マイナス－平行∥￠￡￢", "iso-2022-jp"},
        {"半角ｶﾀｶﾅ", "utf-8"},
        {"丸数字①", "utf-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string cp932 = sj(c.text);
        CharsetChoice choice = choose_charset(cp932);
        EXPECT_EQ(choice.charset, c.charset);
        EXPECT_EQ(from_utf8(choice.utf8), cp932) << "the reader gets the characters that were written";
    }
}

TEST(EhloName, MadeValid) {
    EXPECT_EQ(ehlo_name("TALVENOR MAILER"), "TALVENOR-MAILER");
    EXPECT_EQ(ehlo_name("mail.example.jp"), "mail.example.jp");
    EXPECT_EQ(ehlo_name(" -my pc- "), "my-pc");
    EXPECT_EQ(ehlo_name("わたしのＰＣ"_sj), "localhost");
    EXPECT_EQ(ehlo_name(""), "localhost");
}

// The To text is a list of mailboxes, named or bare, as a user types it: every one is sent to, with
// its name, in the order typed.
TEST(Recipients, EveryMailboxOfTheListWithItsName) {
    struct Case {
        const char* line;  // UTF-8
        std::vector<std::pair<const char*, const char*>> sent;  // name (UTF-8), address
    };
    const Case cases[] = {
        {"鈴木 一郎<ichiro.suzuki@example.ne.jp>, 山田 太郎<taro.yamada@example.co.jp>",
         {{"鈴木 一郎", "ichiro.suzuki@example.ne.jp"}, {"山田 太郎", "taro.yamada@example.co.jp"}}},
        // Commas and semicolons inside quotes belong to the name; a backslash there escapes.
        {"\"Yamada, Taro\" <taro@example.jp>,\"鈴木; \\\"一郎\\\"\"<ichiro@example.jp>",
         {{"Yamada, Taro", "taro@example.jp"}, {"鈴木; \"一郎\"", "ichiro@example.jp"}}},
        // A double-byte character whose second byte is a backslash escapes nothing.
        {"\"ソフト, 表\"<soft@example.jp>, b@example.jp", {{"ソフト, 表", "soft@example.jp"}, {"", "b@example.jp"}}},
        {"a@example.jp, b@example.jp,,c@example.jp ", {{"", "a@example.jp"}, {"", "b@example.jp"}, {"", "c@example.jp"}}},
        {"a@example.jp; 花子 <hanako@example.com>, ", {{"", "a@example.jp"}, {"花子", "hanako@example.com"}}},
        // Typed Japanese names: a dot, a full-width blank, half-width kana, no blank before "<".
        {"鈴木.一郎<x@example.jp>,鈴木　一郎 <y@example.jp> , ｽｽﾞｷ ｲﾁﾛｳ<z@example.jp>",
         {{"鈴木.一郎", "x@example.jp"}, {"鈴木　一郎", "y@example.jp"}, {"ｽｽﾞｷ ｲﾁﾛｳ", "z@example.jp"}}},
        // A name that holds an address is a name: a book keeps the address as the name of a sender
        // that gave none, and a reply writes it so.
        {"plain@example.net<plain@example.net>", {{"plain@example.net", "plain@example.net"}}},
        {"info@bank.example. support<help@example.net>", {{"info@bank.example. support", "help@example.net"}}},
        {"<a@example.jp>", {{"", "a@example.jp"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<Mailbox> sent;
        ASSERT_NO_THROW(sent = parse_recipients(sj(c.line)));
        ASSERT_EQ(sent.size(), c.sent.size());
        for (std::size_t i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(sent[i].name, sj(c.sent[i].first));
            EXPECT_EQ(sent[i].address, c.sent[i].second);
        }
    }
}

// A line with one part that is not a mailbox is refused whole, and the refusal names that part.
TEST(Recipients, ALineWithOneWrongPartIsRefusedNamingIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "宛先がありません"},
        {" , ;", "宛先がありません"},
        {"a@example.jp, no-at-sign", "宛先のアドレスが正しくありません no-at-sign"},
        {"山田 花子<hanako@example.com>, a b@example.jp", "宛先が正しくありません a b@example.jp"},
        {"山田@example.jp", "宛先のアドレスが正しくありません 山田@example.jp"},
        {"a<a@example.jp> b<b@example.jp>", "宛先が正しくありません a<a@example.jp> b<b@example.jp>"},
        {"Taro <t@example.jp> extra", "宛先が正しくありません Taro <t@example.jp> extra"},
        {"x <a@example.jp>, y <>", "宛先が正しくありません y <>"},
        // An unquoted comma separates, whatever the user meant by it.
        {"Sato, Jiro <help@example.net>", "宛先のアドレスが正しくありません Sato"},
        {"a@example.jp, team: b@example.jp, c@example.jp;", "宛先が正しくありません team: b@example.jp"},
        {"a@example.jp, \"Yamada, Taro <t@example.jp>", "宛先が正しくありません \"Yamada, Taro <t@example.jp>"},
        {"can not read mail !", "宛先が正しくありません can not read mail !"},
    };
    for (const auto& [line, fault] : cases) {
        SCOPED_TRACE(line);
        try {
            parse_recipients(sj(line));
            ADD_FAILURE() << "sent";
        } catch (const TransferError& error) {
            EXPECT_EQ(error.failure(), Failure::kRequest);
            EXPECT_EQ(error.detail(), sj(fault));
        }
    }
}

TEST(SendRequestFile, LastEndLineAndTrailingAttachmentRun) {
    test::Harness h;
    h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt",
                  {"TO:a@example.jp", "FROM:Taro<t@example.jp>", "SUBJECT: hi ", "MAIL_END", "FILE:in the body",
                   "body", "FILE:one.txt", "FILE:", "FILE: two.txt ", "MAIL_END", "after the end"});
    SendRequest request = read_send_request();
    EXPECT_EQ(request.to, "a@example.jp");
    EXPECT_EQ(request.from, "Taro<t@example.jp>");
    EXPECT_EQ(request.subject, "hi");
    EXPECT_EQ(request.body, (std::vector<std::string>{"MAIL_END", "FILE:in the body", "body"}));
    EXPECT_EQ(request.attachments, (std::vector<std::string>{"one.txt", "two.txt"}));

    h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt", {"TO:a@example.jp", "FROM:x", "SUBJECT:s", "FILE:", "MAIL_END"});
    request = read_send_request();
    EXPECT_TRUE(request.body.empty());
    EXPECT_TRUE(request.attachments.empty());

    h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt", {"FROM:x", "TO:a@example.jp", "SUBJECT:s", "MAIL_END"});
    EXPECT_THROW(read_send_request(), TransferError);
}

TEST(TransferResultFile, OneLineWithoutTheBytesTheReaderSplitsAt) {
    test::Harness h;
    h.make_folder("SYSTEM_F");
    TransferError error(Failure::kRefused, "host:110, \"550\"\r\nmore");
    write_result(Direction::kSend, error_line(Direction::kSend, error));
    std::vector<std::string> lines = files::split_lines(h.read("SYSTEM_F\\T_OUT_DONE.txt"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("ERROR", 0), 0u);
    for (char c : {',', ':', '"', '\n'}) EXPECT_EQ(lines[0].find(c), std::string::npos) << c;
    EXPECT_NE(lines[0].find("host：110，"_sj), std::string::npos);
}

}  // namespace
}  // namespace tv::mail
