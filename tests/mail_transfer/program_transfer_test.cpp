// The program's own receive and send, with the real mail component and the test servers.
#include <glib.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "common/globals.h"
#include "common/paths.h"
#include "common/receive_list_row.h"
#include "common/sjis.h"
#include "harness/small_disk.h"
#include "mail_test_support.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/process_script_host.h"
#include "transfer/send.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

struct ProgramTransferTest : ::testing::Test {
    TestMailbox mailbox;
    MailFolder folder;
    Account account;
    std::unique_ptr<pf::ProcessScriptHost> scripts;

    ProgramTransferTest() : account(server_account(mailbox)) {
        folder.write_account(account);
        ::setenv("TALVENOR_CA_FILE", servers().get("CA_FILE").c_str(), 1);
    }
    // Starts the program with the real mail component behind its scripts.
    void start() {
        ASSERT_TRUE(folder.h.start());
        scripts = std::make_unique<pf::ProcessScriptHost>(TALVENOR_MAIL_EXE, folder.h.folder);
        pf::services().script_host = scripts.get();
    }
    void send_request(const std::string& to) {
        folder.h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt",
                             {"TO:" + to, "FROM:Taro<taro@example.com>", "SUBJECT:" + "こんにちは"_sj, "本文です。"_sj,
                              "FILE:", "MAIL_END"});
        globals().SEND_TO_TEXT = to;
        globals().MANUAL_TRANSFER = 1;
        pf::forms().load("FORM6");
        folder.h.run_trapped(transfer::SOUSIN);
        folder.h.settle();
    }
};

TEST_F(ProgramTransferTest, ManualReceiveOfThreeMailsFromDovecot) {
    std::vector<std::string> messages;
    for (int i = 1; i <= 3; ++i) {
        messages.push_back("From: Hanako <hanako@example.com>\r\nTo: taro@example.com\r\nSubject: mail " +
                           std::to_string(i) + "\r\nDate: Thu, 10 Dec 2026 09:00:0" + std::to_string(i) +
                           " +0900\r\n\r\nbody " + std::to_string(i) + "\r\n");
    }
    mailbox.add(messages);
    start();
    folder.h.click("MAINFORM", "BUTTON3");
    auto rows = folder.h.rows("MAINFORM", "LIST3");
    ASSERT_EQ(rows.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[static_cast<std::size_t>(i)].substr(56, 10), UNREAD_MARK() + "mail " + std::to_string(i + 1));
    }
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").size(), 3u);
    EXPECT_EQ(folder.h.read("SYSTEM_F\\F_JU.txt"), crlf(rows));
    EXPECT_TRUE(folder.h.boxes().shown().empty());
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
}

// The helper stops after it stored the mail (killed while the server never answers its deletion):
// every stored mail gets its row at once, and the message says what happened.
TEST_F(ProgramTransferTest, AHelperKilledAfterStoringLeavesNoMailWithoutItsRow) {
    MisbehavingServer server("stall-at-dele");
    account.pop3_port = std::to_string(server.port());
    account.timeout = "60";
    folder.write_account(account);
    folder.h.write("SYSTEM_F\\serv_del", "0\r\n");
    start();
    std::atomic<bool> received{false};
    std::thread killer([&] {
        for (int i = 0; i < 1000 && !received; ++i) {
            for (const std::string& line : server.connection_lines()) {
                if (line.rfind("DELE", 0) == 0 && kill_mail_component_in(folder.h.folder)) return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    folder.h.click("MAINFORM", "BUTTON3");
    received = true;
    killer.join();

    EXPECT_EQ(folder.h.rows("MAINFORM", "LIST3").size(), 3u);
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").size(), 3u);
    ASSERT_EQ(folder.h.boxes().shown().size(), 1u);
    EXPECT_EQ(folder.h.boxes().shown()[0].text,
              "受信処理が途中で終了しました。受信できた3通のメールは受信ボックスに入っています。"_sj);
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
}

// A receive whose attachment finds no room on the disk: the mail is listed with its attachment
// mark and the user is told that the disk is full; once room is made, opening the mail saves the
// attachment.
TEST_F(ProgramTransferTest, AReceiveOntoAFullDiskSaysSoAndTheMailKeepsItsAttachmentMark) {
    SmallDisk disk(folder.h.folder / "TENPFIL", 512 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why();
    std::string photo(200 * 1024, '\0');
    for (std::size_t i = 0; i < photo.size(); ++i) photo[i] = static_cast<char>((i * 7919) % 251);
    gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(photo.data()), photo.size());
    std::string base64;
    for (std::string_view all(encoded); !all.empty(); all.remove_prefix(std::min<std::size_t>(76, all.size()))) {
        base64.append(all.substr(0, 76)).append("\r\n");
    }
    g_free(encoded);
    const std::string headers = "From: Hanako <hanako@example.com>\r\nTo: taro@example.com\r\n"
                                "Date: Thu, 10 Dec 2026 09:00:01 +0900\r\n";
    mailbox.add({headers + "Subject: photo\r\nMIME-Version: 1.0\r\n"
                           "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\n"
                           "the photo\r\n--b\r\nContent-Type: image/jpeg\r\n"
                           "Content-Disposition: attachment; filename=photo.jpg\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
                     base64 + "--b--\r\n",
                 headers + "Subject: plain\r\n\r\nno attachment\r\n"});
    start();
    disk.fill_leaving(64 * 1024);
    folder.h.click("MAINFORM", "BUTTON3");

    auto rows = folder.h.rows("MAINFORM", "LIST3");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].substr(50, 3), "  F");
    EXPECT_EQ(rows[1].substr(50, 3), "   ");
    auto records = files::list_folder_files("SYSTEM_F\\F_D_F");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(folder.h.read("SYSTEM_F\\F_D_F\\" + records[0]).ends_with(",\"F\"\r\n"));
    ASSERT_EQ(folder.h.boxes().shown().size(), 1u);
    EXPECT_EQ(folder.h.boxes().shown()[0].title, "DISK FULL !");
    EXPECT_FALSE(folder.h.exists("TENPFIL\\photo.jpg"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);

    // Opened while the disk is still full, the mail shows no attachment, and the viewer says why.
    folder.h.boxes().clear();
    pf::input::double_click_row(pf::form("MAINFORM").control("LIST3"), 0);
    folder.h.settle();
    ASSERT_TRUE(pf::forms().is_loaded("FORM3"));
    EXPECT_EQ(pf::form("FORM3").control("LIST4").count(), 0);
    ASSERT_EQ(folder.h.boxes().shown().size(), 1u);
    EXPECT_EQ(folder.h.boxes().shown()[0].title, "DISK FULL !");
    EXPECT_EQ(folder.h.boxes().shown()[0].owner, "FORM3");
    pf::input::request_close(pf::form("FORM3"));
    folder.h.settle();

    disk.free_space();
    folder.h.boxes().clear();
    pf::input::double_click_row(pf::form("MAINFORM").control("LIST3"), 0);
    folder.h.settle();
    ASSERT_TRUE(pf::forms().is_loaded("FORM3"));
    auto& attachments = pf::form("FORM3").control("LIST4");
    ASSERT_EQ(attachments.count(), 1);
    EXPECT_TRUE(attachments.item(0).starts_with("photo.jpg"));
    EXPECT_EQ(folder.h.read("TENPFIL\\photo.jpg"), photo);
    EXPECT_TRUE(folder.h.boxes().shown().empty());
}

TEST_F(ProgramTransferTest, SendReachesTheServerAndTheSendList) {
    start();
    std::string local = unique_name("hanako");
    send_request(local + "@example.com");
    EXPECT_EQ(delivered_to(local).size(), 1u);
    EXPECT_FALSE(folder.h.exists("SYSTEM_F\\DEL_SOUSIN.txt"));
    auto rows = folder.h.rows("MAINFORM", "LIST1");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(trim(rows[0].substr(0, 50)), local + "@example.com");
    EXPECT_TRUE(files::list_folder_files("SYSTEM_F\\BADSOU").empty());
}

TEST_F(ProgramTransferTest, SendToAStoppedServerIsKeptUnsent) {
    account.smtp_port = std::to_string(closed_port());
    folder.write_account(account);
    start();
    send_request("hanako@example.com");
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\BADSOU").size(), 1u);
    ASSERT_EQ(folder.h.boxes().shown().size(), 1u);
    EXPECT_EQ(folder.h.boxes().shown()[0].text.rfind("サーバーに接続できませんでした。  "_sj, 0), 0u);
    EXPECT_TRUE(folder.h.rows("MAINFORM", "LIST1").empty());
}

}  // namespace
}  // namespace tv::test
