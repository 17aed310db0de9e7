// talvenor-mail receive against a real Dovecot on 127.0.0.1.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <set>
#include <thread>

#include "common/paths.h"
#include "common/sjis.h"
#include "harness/outside_folder.h"
#include "mail_fixtures.h"
#include "mail_test_support.h"

namespace tv::test {
namespace {

using namespace tv::literals;

constexpr std::size_t kIdentityLength = 57;  // "X-Talvenor-Id: " + 40 hex digits + CR LF

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string first_line(const std::string& file) { return file.substr(0, file.find("\r\n") + 2); }

struct ReceiveTest : ::testing::Test {
    TestMailbox mailbox;
    MailFolder folder;
    Account account;

    ReceiveTest() {
        account.user_id = mailbox.user;
        account.password = mailbox.password;
        account.smtp_port = "25";
        account.pop3_port = servers().get("POP3_PORT");
        folder.write_account(account);
    }
    void keep_on_server(const std::string& serv_del) { folder.h.write("SYSTEM_F\\serv_del", serv_del); }
    int receive(MailFolder& into) { return into.run("receive"); }
    int receive() { return receive(folder); }
    // The stored messages without their identity lines.
    std::vector<std::string> stored_bodies() const {
        std::vector<std::string> bodies;
        for (const auto& name : folder.inbox()) bodies.push_back(folder.inbox_file(name).substr(kIdentityLength));
        return bodies;
    }
};

TEST_F(ReceiveTest, MixedMailboxArrivesByteForByteUnderIdentityLinesInOrder) {
    std::vector<std::string> stored;
    for (const auto& message : mixed_messages()) stored.push_back(message.stored);
    mailbox.add(stored);
    keep_on_server("1\r\n");

    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(folder.receive_result(), "DONE7通のメールを受信しました。"_sj);

    std::vector<std::string> names = folder.inbox();
    ASSERT_EQ(names.size(), stored.size());
    std::set<std::string> identities;
    const std::regex name_form("[0-9]{8}_[0-9]{6}_[0-9]{6}\\.eml");
    const std::regex identity_form("X-Talvenor-Id: [0-9a-f]{40}\r\n");
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(mixed_messages()[i].name);
        EXPECT_TRUE(std::regex_match(names[i], name_form)) << names[i];
        std::string file = folder.inbox_file(names[i]);
        std::string identity = first_line(file);
        EXPECT_TRUE(std::regex_match(identity, identity_form)) << identity;
        identities.insert(identity);
        EXPECT_EQ(file.substr(identity.size()), with_crlf(stored[i]));
    }
    EXPECT_EQ(identities.size(), stored.size());
    EXPECT_EQ(folder.raw_entries("JUSINBOX").size(), names.size()) << "no hidden file is left behind";

    // Another program folder receiving the same mailbox gives each message the same identity.
    std::vector<std::string> first_lines;
    for (const auto& name : names) first_lines.push_back(first_line(folder.inbox_file(name)));
    MailFolder other;
    other.write_account(account);
    other.h.write("SYSTEM_F\\serv_del", "1\r\n");
    EXPECT_EQ(receive(other), 0);
    std::vector<std::string> other_names = other.inbox();
    ASSERT_EQ(other_names.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(first_line(other.inbox_file(other_names[i])), first_lines[i]);
}

// What serv_del says, and whether the mail then stays on the server.
struct KeepCase {
    const char* name;
    const char* serv_del;  // nullptr: no file
    bool keeps;
};
void PrintTo(const KeepCase& c, std::ostream* out) { *out << c.name; }


class KeepOnServerTest : public ReceiveTest, public ::testing::WithParamInterface<KeepCase> {};

TEST_P(KeepOnServerTest, OptionDecidesWhatStaysAndNothingIsFetchedTwice) {
    const KeepCase& c = GetParam();
    if (c.serv_del) keep_on_server(c.serv_del);
    mailbox.add({sized_message("one", 300), sized_message("two", 300)});

    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(folder.inbox().size(), 2u);
    EXPECT_EQ(mailbox.count(), c.keeps ? 2u : 0u);

    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(folder.receive_result(), "DONE新着メールはありませんでした。"_sj);
    EXPECT_EQ(folder.inbox().size(), 2u);
    EXPECT_EQ(mailbox.count(), c.keeps ? 2u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepOnServerTest,
    ::testing::Values(KeepCase{"Missing", nullptr, false}, KeepCase{"Empty", "", false},
                      KeepCase{"Zero", "0\r\n", false}, KeepCase{"One", "1\r\n", true},
                      KeepCase{"Two", "2\r\n", true}, KeepCase{"Text", "on\r\n", false},
                      KeepCase{"LastLineWins", "1\r\n0\r\n", false}, KeepCase{"LastLineOn", "0\r\n 1 \r\n", true},
                      KeepCase{"EmptyLastLine", "1\r\n\r\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceiveTest, KeptMailIsDeletedWithoutBeingStoredAgainOnceTheOptionIsOff) {
    keep_on_server("1\r\n");
    mailbox.add({sized_message("kept one", 200), sized_message("kept two", 200)});
    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(mailbox.count(), 2u);

    mailbox.add({sized_message("new one", 200)});
    keep_on_server("0\r\n");
    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(folder.receive_result(), "DONE1通のメールを受信しました。"_sj);
    EXPECT_EQ(mailbox.count(), 0u);
    std::vector<std::string> bodies = stored_bodies();
    ASSERT_EQ(bodies.size(), 3u);
    EXPECT_TRUE(has(bodies[0], "Subject: kept one"));
    EXPECT_TRUE(has(bodies[1], "Subject: kept two"));
    EXPECT_TRUE(has(bodies[2], "Subject: new one"));
}

TEST_F(ReceiveTest, RefusedLoginAsksForThePasswordAndChangesNothing) {
    account.password = "wrong";
    folder.write_account(account);
    mailbox.add({sized_message("waiting", 200)});

    EXPECT_NE(receive(), 0);
    std::string result = folder.receive_result();
    EXPECT_EQ(result.rfind("ERROR", 0), 0u) << result;
    EXPECT_TRUE(has(result, "パスワードを確認してください"_sj));
    EXPECT_FALSE(has(result, "受信に失敗"_sj)) << "a retry would only repeat the refused login";
    EXPECT_TRUE(folder.inbox().empty());
    EXPECT_EQ(mailbox.count(), 1u);
}

TEST_F(ReceiveTest, UnreachableServerIsAFailureWorthRetrying) {
    account.pop3_port = std::to_string(closed_port());
    folder.write_account(account);

    EXPECT_NE(receive(), 0);
    std::string result = folder.receive_result();
    EXPECT_EQ(result.rfind("ERROR", 0), 0u) << result;
    EXPECT_TRUE(has(result, "受信に失敗"_sj));
    EXPECT_GE(result.size(), 10u);
    for (char c : {',', ':', '"'}) EXPECT_EQ(result.find(c), std::string::npos) << "the reader would split at " << c;
    EXPECT_TRUE(folder.inbox().empty());
}

// Where the connection breaks, in bytes from the server: in the login, inside the second message,
// inside the last message (whose end only the next command can prove).
class ConnectionCutTest : public ReceiveTest, public ::testing::WithParamInterface<long> {};

TEST_P(ConnectionCutTest, StoresAndDeletesNothing) {
    keep_on_server("0\r\n");
    std::vector<std::string> messages{sized_message("first", 2000), sized_message("second", 200000),
                                      sized_message("third", 200000)};
    mailbox.add(messages);
    {
        CutProxy proxy(servers().port("POP3_PORT"), GetParam());
        account.pop3_port = std::to_string(proxy.port());
        folder.write_account(account);
        EXPECT_NE(receive(), 0);
    }
    std::string result = folder.receive_result();
    EXPECT_EQ(result.rfind("ERROR", 0), 0u) << result;
    EXPECT_TRUE(has(result, "受信に失敗"_sj));
    EXPECT_TRUE(folder.raw_entries("JUSINBOX").empty()) << "not even a hidden part of a message";
    EXPECT_EQ(mailbox.count(), 3u);

    // The next run over an unbroken connection takes all three, once.
    account.pop3_port = servers().get("POP3_PORT");
    folder.write_account(account);
    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(stored_bodies(), messages);
    EXPECT_EQ(mailbox.count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cuts, ConnectionCutTest, ::testing::Values(60L, 100000L, 300000L));

// The connection breaks after the messages are stored: at the first deletion, or at QUIT, which
// the server then never sees, so it deletes nothing.
class BreakAfterCommitTest : public ReceiveTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BreakAfterCommitTest, StillSucceedsAndTheNextRunDeletesWithoutStoringAgain) {
    keep_on_server("0\r\n");
    mailbox.add({sized_message("one", 3000), sized_message("two", 3000)});
    {
        CutProxy proxy(servers().port("POP3_PORT"), 0, std::string("at:") + GetParam());
        account.pop3_port = std::to_string(proxy.port());
        folder.write_account(account);
        EXPECT_EQ(receive(), 0);
    }
    EXPECT_EQ(folder.receive_result(), "DONE2通のメールを受信しました。"_sj);
    EXPECT_EQ(folder.inbox().size(), 2u);
    EXPECT_EQ(mailbox.count(), 2u);

    account.pop3_port = servers().get("POP3_PORT");
    folder.write_account(account);
    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(folder.receive_result(), "DONE新着メールはありませんでした。"_sj);
    EXPECT_EQ(folder.inbox().size(), 2u);
    EXPECT_EQ(mailbox.count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Commands, BreakAfterCommitTest, ::testing::Values("DELE", "QUIT"));

TEST_F(ReceiveTest, SilentServerAndStalledTransferEndAtTheAccountTimeout) {
    account.timeout = "1";
    mailbox.add({sized_message("first", 2000), sized_message("second", 400000)});
    CutProxy stalled(servers().port("POP3_PORT"), 100000, "stall");
    for (int port : {silent_port(), stalled.port()}) {
        SCOPED_TRACE(port);
        account.pop3_port = std::to_string(port);
        folder.write_account(account);
        auto start = std::chrono::steady_clock::now();
        EXPECT_NE(receive(), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
        EXPECT_TRUE(has(folder.receive_result(), "受信に失敗"_sj));
        EXPECT_TRUE(folder.raw_entries("JUSINBOX").empty());
    }
    EXPECT_EQ(mailbox.count(), 2u);
}

TEST_F(ReceiveTest, FiveHundredMessagesInOneRun) {
    std::vector<std::string> messages;
    for (int i = 0; i < 500; ++i) messages.push_back(sized_message("number " + std::to_string(i), 1500));
    mailbox.add(messages);

    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(folder.receive_result(), "DONE500通のメールを受信しました。"_sj);
    std::vector<std::string> bodies = stored_bodies();
    ASSERT_EQ(bodies.size(), 500u);
    for (int i : {0, 1, 250, 499}) EXPECT_EQ(bodies[static_cast<std::size_t>(i)], messages[static_cast<std::size_t>(i)]);
    EXPECT_EQ(mailbox.count(), 0u);
}

TEST_F(ReceiveTest, TenMegabyteMessage) {
    std::string big = sized_message("big", 10 * 1024 * 1024);
    mailbox.add({big});
    EXPECT_EQ(receive(), 0);
    std::vector<std::string> bodies = stored_bodies();
    ASSERT_EQ(bodies.size(), 1u);
    EXPECT_EQ(bodies[0].size(), big.size());
    EXPECT_TRUE(bodies[0] == big);
}

TEST_F(ReceiveTest, NewMailSortsAfterANewerNameWhenTheClockIsBehind) {
    folder.h.write("JUSINBOX\\20991231_235959_000041.eml", "X-Talvenor-Id: old\r\n\r\nold\r\n");
    mailbox.add({sized_message("a", 200), sized_message("b", 200)});
    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(folder.inbox(), (std::vector<std::string>{"20991231_235959_000041.eml", "20991231_235959_000042.eml",
                                                         "20991231_235959_000043.eml"}));
}

TEST_F(ReceiveTest, ImplicitTlsAndStartTlsVerifyTheCertificate) {
    mailbox.add({sized_message("secret", 200)});
    keep_on_server("1\r\n");
    std::string tls_ports = "TALVENOR_IMPLICIT_TLS_PORTS=" + servers().get("POP3S_PORT");

    // STARTTLS on the plain port and TLS from the start on the TLS port both refuse a server
    // whose certificate cannot be verified.
    for (const std::string& port : {servers().get("POP3_PORT"), servers().get("POP3S_PORT")}) {
        account.pop3_port = port;
        folder.write_account(account);
        EXPECT_NE(folder.run("receive", false, {tls_ports}), 0);
        std::string result = folder.receive_result();
        EXPECT_TRUE(has(result, "証明書"_sj)) << port;
        EXPECT_FALSE(has(result, "受信に失敗"_sj));
        EXPECT_TRUE(folder.inbox().empty());
    }
    EXPECT_EQ(folder.run("receive", true, {tls_ports}), 0);
    EXPECT_EQ(folder.inbox().size(), 1u);
}

TEST_F(ReceiveTest, IncompleteAccountIsRefusedBeforeAnyConnection) {
    account.password = "";
    folder.write_account(account);
    mailbox.add({sized_message("waiting", 200)});
    EXPECT_NE(receive(), 0);
    EXPECT_EQ(folder.receive_result(), "ERRORアカウント情報が正しく設定されていません。"_sj);
    EXPECT_EQ(mailbox.count(), 1u);
}

// An account file the user linked elsewhere is read through the link and keeps its target's mode.
TEST_F(ReceiveTest, AnAccountFileLinkedElsewhereIsUsedAndKeepsItsMode) {
    OutsideFolder outside;
    std::filesystem::path target = outside.write("account.txt", crlf(account.lines()), 0644);
    std::filesystem::path link = files::resolve("SYSTEM_F\\MAIL_DATA.txt");
    std::filesystem::remove(link);
    std::filesystem::create_symlink(target, link);
    mailbox.add({sized_message("linked", 200)});
    EXPECT_EQ(receive(), 0);
    EXPECT_EQ(folder.inbox().size(), 1u);
    EXPECT_EQ(mode_of(target), 0644u);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

// A line break inside a value would reach the server as a command of its own.
TEST_F(ReceiveTest, AnAccountValueWithAControlByteIsRefusedBeforeAnyConnection) {
    MisbehavingServer server("repeated-uidl");
    account.pop3_port = std::to_string(server.port());
    for (const std::string& password : {std::string("pa\nQUIT"), std::string("pa\tss")}) {
        account.password = password;
        folder.write_account(account);
        EXPECT_NE(receive(), 0);
        EXPECT_EQ(folder.receive_result().rfind("ERRORアカウント情報が正しく設定されていません。"_sj, 0), 0u);
    }
    EXPECT_TRUE(server.connection_lines().empty());
}

// Two receives on one program folder at once: the second waits for the first and finds nothing
// new, so no mail is overwritten by another of the same name and none is lost.
TEST_F(ReceiveTest, TwoReceivesAtOnceOnOneFolderLoseNothing) {
    keep_on_server("0\r\n");
    std::vector<std::string> messages;
    for (int i = 1; i <= 6; ++i) messages.push_back(sized_message("mail " + std::to_string(i), 20000));
    mailbox.add(messages);

    int status[2] = {-1, -1};
    std::thread first([&] { status[0] = receive(); });
    std::thread second([&] { status[1] = receive(); });
    first.join();
    second.join();
    EXPECT_EQ(status[0], 0);
    EXPECT_EQ(status[1], 0);
    EXPECT_EQ(stored_bodies(), messages);
    EXPECT_EQ(mailbox.count(), 0u);
}

// A receive that cannot take the folder's transfer lock within the account's time-out gives up
// and touches nothing.
TEST_F(ReceiveTest, AReceiveWaitsForTheFoldersTransferThenGivesUp) {
    account.timeout = "1";
    folder.write_account(account);
    mailbox.add({sized_message("waiting", 200)});
    int held = ::open(files::resolve("SYSTEM_F\\.transfer.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    auto start = std::chrono::steady_clock::now();
    EXPECT_NE(receive(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ::close(held);
    EXPECT_EQ(folder.receive_result(), "ERROR別の送受信が終わらないため、メールを受信できませんでした。"_sj);
    EXPECT_TRUE(folder.raw_entries("JUSINBOX").empty());
    EXPECT_EQ(mailbox.count(), 1u);
}

}  // namespace
}  // namespace tv::test
