// The forward body: the first fifteen lines of the summary, the attachments by name.
#include <gtest/gtest.h>

#include "answering/forward_mail.h"
#include "common/sjis.h"
#include "harness/harness.h"

namespace tv::answering {
namespace {

using namespace tv::literals;

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? "CrLf" : "") + lines[i];
    return out + "CrLfENDDAYOPPI_AKASATA_HONYOHOYNYO";
}

TEST(ForwardMail, BodyLinesAndAttachmentNames) {
    struct Case {
        const char* name;
        std::string body;
        std::vector<std::string> lines;  // after the five label lines
        std::vector<std::string> names;
    };
    std::vector<std::string> fourteen;
    for (int i = 1; i <= 14; ++i) fourteen.push_back("t" + std::to_string(i));
    auto with = [&](std::vector<std::string> tail) {
        auto all = fourteen;
        all.insert(all.end(), tail.begin(), tail.end());
        return all;
    };
    std::vector<std::string> fourteen_then_a = fourteen;
    fourteen_then_a.push_back("添付ファイル：a.txt  （後略）"_sj);
    std::vector<Case> cases{
        {"no marker", "just text", {}, {}},
        {"a marker at the very end is none", "aCrLf", {}, {}},
        {"an attachment section running past the fifteenth line",
         joined(with({"File: TENPFIL\\a.txt", "File: TENPFIL\\b.txt"})), fourteen_then_a, {"a.txt"}},
        {"a name with a folder part is no attachment",
         joined({"hi", "File: TENPFIL\\..\\SYSTEM_F\\MAIL_DATA.txt", "File: TENPFIL\\ok.txt"}),
         {"hi", "添付ファイル：..\\SYSTEM_F\\MAIL_DATA.txt"_sj, "添付ファイル：ok.txt"_sj}, {"ok.txt"}},
        {"\"File:\" in a text line", joined({"see File: report here", "FILE:"}),
         {"添付ファイル：ort here"_sj, " "}, {"ort here"}},
        // The cut at byte 6 falls inside the second character: the text starts after it.
        {"a mention after other text names no file of the mail", joined({"abcd日File: TENPFIL\\x.txt"_sj}),
         {"添付ファイル：NPFIL\\x.txt"_sj}, {}},
    };
    for (const auto& c : cases) {
        LoggedMail mail;
        mail.date = "2026/12/10 08:00:00";
        mail.sender = "a@example.jp";
        mail.body = c.body;
        ForwardBody body = build_forward_body(mail);
        std::vector<std::string> expected{"<日時>"_sj, mail.date, "<差出人>"_sj, mail.sender, "<本文>"_sj};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(body.lines, expected) << c.name;
        EXPECT_EQ(body.attachment_names, c.names) << c.name;
    }
}

// Only when asked, only files still there, and only the mail's own: a name its text made up
// finds another mail's file.
TEST(ForwardMail, RequestAttachesOnlyWhenAskedAndOnlyTheMailsOwnFilesStillThere) {
    test::Harness h;
    h.write("TENPFIL\\a.txt", "a");
    h.write("TENPFIL\\F_JU.txt", "another mail's attachment");
    LoggedMail mail;
    mail.subject = " hi ";
    mail.attachments = {"a.txt", "gone.txt"};
    ForwardBody body{{"MAIL_END"}, {"a.txt", "gone.txt", "F_JU.txt"}};
    AccountData account;
    account.values[1] = "Taro";
    account.values[2] = "taro@example.jp";
    EXPECT_EQ(forward_request(body, mail, account, "Phone <me@phone.jp>", true),
              (std::vector<std::string>{"TO:me@phone.jp", "FROM:Taro<taro@example.jp>", "SUBJECT:<転>hi"_sj, " MAIL_END",
                                        "FILE:TENPFIL\\a.txt", "MAIL_END"}));
    EXPECT_EQ(forward_request(body, mail, account, "me@phone.jp", false)[4], "FILE:");
}

}  // namespace
}  // namespace tv::answering
