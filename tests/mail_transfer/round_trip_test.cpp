// A mail sent with talvenor-mail send to the mailbox Dovecot serves, received back with
// talvenor-mail receive and read with talvenor-mail parse arrives as it was written.
#include <gtest/gtest.h>

#include "common/exchange_files.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "mail_test_support.h"

namespace tv::test {
namespace {

using namespace tv::literals;

TEST(RoundTrip, SubjectBodyAndAttachmentNamesSurviveSendReceiveParse) {
    TestMailbox mailbox;
    MailFolder folder;
    folder.write_account(server_account(mailbox));

    std::string subject = "往復テスト～件名"_sj;
    std::vector<std::string> body{"本文の一行目です。"_sj, "Second line, ASCII."_sj, "三行目"_sj};
    folder.h.write("TENPFIL\\報告書.txt"_sj, "report\r\n");
    folder.h.write("TENPFIL\\data.csv", "a,b\r\n1,2\r\n");
    std::vector<std::string> request{"TO:" + mailbox.user + "@127.0.0.1", "FROM:太郎<taro@example.com>"_sj,
                                     "SUBJECT:" + subject};
    request.insert(request.end(), body.begin(), body.end());
    request.push_back("FILE:TENPFIL\\報告書.txt"_sj);
    request.push_back("FILE:TENPFIL\\data.csv");
    request.push_back("MAIL_END");
    folder.h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt", request);
    ASSERT_EQ(folder.run("send"), 0) << to_utf8(folder.send_result());

    ASSERT_EQ(folder.run("receive"), 0) << to_utf8(folder.receive_result());
    ASSERT_EQ(folder.inbox().size(), 1u);

    // Parse it as the program does: the request names the mail, the result lists its values.
    files::remove_if_exists("TENPFIL\\報告書.txt"_sj);
    files::remove_if_exists("TENPFIL\\data.csv");
    folder.h.write_lines("SYSTEM_F\\CHECK.txt", {"JUSINBOX\\" + folder.inbox()[0]});
    ASSERT_EQ(folder.run("parse"), 0);
    ASSERT_TRUE(folder.h.exists("SYSTEM_F\\YOMITORI.txt"));
    std::vector<std::string> lines = files::split_lines(folder.h.read("SYSTEM_F\\YOMITORI.txt"));
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[3], "SUBJECT: " + subject);
    EXPECT_EQ(lines[4], "Body: " + body[0]);

    std::vector<std::string> body_read{lines[4].substr(6)};
    std::vector<std::string> attachments;
    for (std::size_t i = 5; i < lines.size(); ++i) {
        if (starts_with_upper(lines[i], "FILE:")) {
            std::string path = trim(lines[i].substr(5));
            if (!path.empty()) attachments.push_back(files::split_folder_name(path).second);
        } else if (attachments.empty() && trim(lines[i]).rfind(exchange::kEndLine, 0) != 0) {
            body_read.push_back(lines[i]);
        }
    }
    while (!body_read.empty() && trim(body_read.back()).empty()) body_read.pop_back();
    EXPECT_EQ(body_read, body);
    EXPECT_EQ(attachments, (std::vector<std::string>{"報告書.txt"_sj, "data.csv"}));
    EXPECT_EQ(folder.h.read("TENPFIL\\報告書.txt"_sj), "report\r\n");
}

}  // namespace
}  // namespace tv::test
