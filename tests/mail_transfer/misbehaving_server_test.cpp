// talvenor-mail against servers that misbehave (tests/servers/misbehaving_server.py): each run ends
// soon with an error that says what went wrong, stores nothing, and sends no credential to a
// server that refused or dropped TLS.
#include <gtest/gtest.h>

#include <chrono>

#include "common/sjis.h"
#include "mail_test_support.h"

namespace tv::test {
namespace {

using namespace tv::literals;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct MisbehavingCase {
    const char* name;
    const char* mode;
    const char* command;     // "receive" or "send"
    int good_runs_before;    // runs that succeed before the fault shows
    const char* words;       // what the error says
    bool tls_refused;        // no credential may go to the failing connection
    const char* timeout;     // the account's time-out
    int within_seconds;
};
void PrintTo(const MisbehavingCase& c, std::ostream* out) { *out << c.name; }

class MisbehavingServerTest : public ::testing::TestWithParam<MisbehavingCase> {};

TEST_P(MisbehavingServerTest, EndsSoonWithAnErrorAndKeepsTheCredentials) {
    const MisbehavingCase& c = GetParam();
    MisbehavingServer server(c.mode);
    MailFolder folder;
    Account account;
    account.user_id = "taro";
    account.password = "secret-pw";
    account.timeout = c.timeout;
    bool receive = std::string(c.command) == "receive";
    account.pop3_port = receive ? std::to_string(server.port()) : "110";
    account.smtp_port = receive ? "25" : std::to_string(server.port());
    folder.write_account(account);
    auto result = [&] { return receive ? folder.receive_result() : folder.send_result(); };

    for (int run = 1; run <= c.good_runs_before; ++run) {
        ASSERT_EQ(folder.run(c.command), 0) << to_utf8(result());
    }
    folder.h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt", {"TO:hanako@example.jp", "FROM:Taro<taro@example.com>",
                                                     "SUBJECT:test", "body", "FILE:", "MAIL_END"});
    auto start = std::chrono::steady_clock::now();
    EXPECT_NE(folder.run(c.command), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(c.within_seconds));

    EXPECT_EQ(result().rfind("ERROR", 0), 0u) << to_utf8(result());
    EXPECT_TRUE(has(result(), sj(c.words))) << to_utf8(result());
    if (c.tls_refused) {
        for (const std::string& line : server.connection_lines(c.good_runs_before + 1)) {
            for (const char* command : {"USER", "PASS", "AUTH", "MAIL"}) {
                EXPECT_NE(upper_ascii(line).rfind(command, 0), 0u) << line;
            }
            EXPECT_FALSE(has(line, account.password)) << line;
        }
    }
    EXPECT_TRUE(folder.raw_entries("JUSINBOX").empty());
    EXPECT_TRUE(folder.sent_box().empty());
}

constexpr const char* kTlsRefusedWords = "暗号化通信（STARTTLS）を拒否しました";
constexpr const char* kBadAnswerWords = "応答が正しくありません";
constexpr const char* kRetryWords = "受信に失敗";

INSTANTIATE_TEST_SUITE_P(
    Servers, MisbehavingServerTest,
    ::testing::Values(
        MisbehavingCase{"Pop3RefusesStartTls", "stls-refused", "receive", 0, kTlsRefusedWords, true, "5", 10},
        MisbehavingCase{"SmtpRefusesStartTls", "starttls-refused", "send", 0, kTlsRefusedWords, true, "5", 10},
        // Seen with TLS once, the server offers none the next time: a stripped offer looks the same.
        MisbehavingCase{"TlsGoneOnTheNextSession", "tls-then-plain", "receive", 1, "以前は暗号化通信に対応", true,
                        "5", 10},
        MisbehavingCase{"EndlessListing", "endless-listing", "receive", 0, kBadAnswerWords, false, "5", 10},
        MisbehavingCase{"EndlessListingLine", "long-line", "receive", 0, kBadAnswerWords, false, "5", 10},
        MisbehavingCase{"EndlessGreeting", "long-greeting", "receive", 0, kRetryWords, false, "5", 10},
        // One byte every 0.2 s never stalls long enough for a time-out: the speed floor ends it.
        MisbehavingCase{"Trickle", "trickle", "receive", 0, kRetryWords, false, "2", 8},
        // The connection is never taken: connecting has its own bound, whatever the time-out.
        MisbehavingCase{"NeverAccepts", "never-accept", "receive", 0, kRetryWords, false, "300", 20}),
    [](const auto& info) { return std::string(info.param.name); });

// Two messages under one UIDL (a server fault) and a UIDL with a blank: every message is stored
// once, each under an identity of its own, and deleted only once stored.
TEST(RepeatedUidl, EveryMessageIsStoredOnceAndDeletedOnceStored) {
    MisbehavingServer server("repeated-uidl");
    MailFolder folder;
    Account account;
    account.user_id = "taro";
    account.password = "pw";
    account.smtp_port = "25";
    account.pop3_port = std::to_string(server.port());
    folder.write_account(account);

    folder.h.write("SYSTEM_F\\serv_del", "1\r\n");
    ASSERT_EQ(folder.run("receive"), 0) << to_utf8(folder.receive_result());
    EXPECT_EQ(folder.receive_result(), "DONE3通のメールを受信しました。"_sj);
    std::vector<std::string> names = folder.inbox();
    ASSERT_EQ(names.size(), 3u);
    std::vector<std::string> identities;
    for (const auto& name : names) {
        std::string file = folder.inbox_file(name);
        identities.push_back(file.substr(0, file.find("\r\n")));
    }
    EXPECT_TRUE(has(folder.inbox_file(names[0]), "first under dup"));
    EXPECT_TRUE(has(folder.inbox_file(names[1]), "second under dup"));
    EXPECT_TRUE(has(folder.inbox_file(names[2]), "uidl with a blank"));
    EXPECT_NE(identities[0], identities[1]);

    // Kept on the server, nothing is fetched again; taken off, all three go, none stored twice.
    ASSERT_EQ(folder.run("receive"), 0);
    EXPECT_EQ(folder.receive_result(), "DONE新着メールはありませんでした。"_sj);
    folder.h.write("SYSTEM_F\\serv_del", "0\r\n");
    ASSERT_EQ(folder.run("receive"), 0);
    EXPECT_EQ(folder.inbox().size(), 3u);
    std::vector<std::string> deleted;
    for (const std::string& line : server.connection_lines()) {
        if (line.rfind("DELE ", 0) == 0) deleted.push_back(line);
    }
    EXPECT_EQ(deleted, (std::vector<std::string>{"DELE 1", "DELE 2", "DELE 3"}));
    ASSERT_EQ(folder.run("receive"), 0);
    EXPECT_EQ(folder.receive_result(), "DONE新着メールはありませんでした。"_sj);
}

}  // namespace
}  // namespace tv::test
