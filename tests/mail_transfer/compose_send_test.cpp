// A mail composed in the program and sent through the real mail component to the test SMTP server;
// with the server out of reach it waits as unsent mail and goes once the server is back.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "mail_test_support.h"
#include "parsed_message.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/process_script_host.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
namespace stdfs = std::filesystem;

std::string cp932(const std::string& utf8) { return from_utf8(utf8).value_or("(not CP932)"); }

struct ComposeSendTest : ::testing::Test {
    TestMailbox login;
    MailFolder folder;
    Account account = server_account(login);
    std::unique_ptr<pf::ProcessScriptHost> scripts;
    std::string local = unique_name("hanako");
    stdfs::path outside;  // the user's own files, outside the program folder
    std::string text_path, binary_path;
    std::string text_data = "議事録です。\r\n"_sj;
    std::string binary_data{"\x89PNG\r\n\x1a\n\0\x01\xff", 11};

    ComposeSendTest() {
        folder.write_account(account);
        ::setenv("TALVENOR_CA_FILE", servers().get("CA_FILE").c_str(), 1);
        folder.h.write_lines("SYSTEM_F\\ADDRESS.txt", {"\" \",\" \"", "\"山田 花子\",\""_sj + local + "@example.com\""});
        outside = folder.h.folder.string() + "-files";
        stdfs::create_directories(outside / "資料");
        text_path = cp932((outside / "資料" / "議事録.txt").string());
        binary_path = cp932((outside / "図.png").string());
        folder.h.write(text_path, text_data);
        folder.h.write(binary_path, binary_data);
    }
    ~ComposeSendTest() override {
        std::error_code ec;
        stdfs::remove_all(outside, ec);
    }
    void start() {
        ASSERT_TRUE(folder.h.start());
        scripts = std::make_unique<pf::ProcessScriptHost>(TALVENOR_MAIL_EXE, folder.h.folder);
        pf::services().script_host = scripts.get();
    }
    void type(const char* box, const std::string& text) {
        pf::input::change_text(pf::form("FORM9").control(box), text);
        folder.h.settle();
    }
    // The mail as a user writes it: the recipient from the address book, two attachments.
    void compose() {
        folder.h.click("MAINFORM", "BUTTON1");
        folder.h.click("FORM9", "BUTTON26");
        pf::input::double_click_row(pf::form("FORM10").control("LIST13"), 0);
        folder.h.settle();
        folder.h.settle();  // the compose window's timer takes the recipient
        type("EDIT14", "会議の議事録"_sj);
        type("EDIT11", "山田様\r\n\r\n議事録と図を送ります。\r\nFile: この行も本文です\r\n以上"_sj);
        for (const auto& path : {text_path, binary_path}) {
            folder.h.platform.dialogs.choose_next(path);
            folder.h.click("FORM9", "BUTTON33");
        }
        folder.h.settle();
    }
    void expect_delivered(const std::string& message) {
        ParsedMessage m = parse_message(message);
        EXPECT_EQ(cp932(m.subject), "会議の議事録"_sj);
        EXPECT_EQ(cp932(m.body), "山田様\r\n\r\n議事録と図を送ります。\r\n File: この行も本文です\r\n以上\r\n"_sj);
        EXPECT_NE(m.to.find(local + "@example.com"), std::string::npos) << m.to;
        EXPECT_NE(m.to.find("山田 花子"), std::string::npos) << m.to;
        ASSERT_EQ(m.attachments.size(), 2u);
        EXPECT_EQ(m.attachments[0].name, "議事録.txt");
        EXPECT_EQ(m.attachments[0].data, text_data);
        EXPECT_EQ(m.attachments[1].name, "図.png");
        EXPECT_EQ(m.attachments[1].data, binary_data);
    }
};

TEST_F(ComposeSendTest, AComposedMailReachesTheServerOrWaitsAsUnsentMail) {
    start();
    compose();
    pf::Form& compose_window = pf::form("FORM9");
    EXPECT_EQ(compose_window.control("EDIT12").text, "山田 花子<"_sj + local + "@example.com>");
    EXPECT_EQ(compose_window.control("EDIT13").text, "議事録.txt,図.png (25byte)"_sj);
    folder.h.click("FORM9", "BUTTON27");
    auto delivered = delivered_to(local);
    ASSERT_EQ(delivered.size(), 1u);
    expect_delivered(delivered[0]);
    auto sent = folder.h.rows("MAINFORM", "LIST1");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].rfind("山田 花子<"_sj + local, 0), 0u);
    EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
    EXPECT_TRUE(files::list_folder_files("SYSTEM_F\\BADSOU").empty());

    // The server cannot be reached: the same mail waits in the unsent list.
    Account unreachable = account;
    unreachable.smtp_port = std::to_string(closed_port());
    folder.write_account(unreachable);
    compose();
    folder.h.boxes().clear();
    folder.h.click("FORM9", "BUTTON27");
    ASSERT_EQ(folder.h.boxes().shown().size(), 1u);
    EXPECT_EQ(folder.h.boxes().shown()[0].text.rfind("サーバーに接続できませんでした。  "_sj, 0), 0u);
    EXPECT_EQ(delivered_to(local).size(), 1u);
    ASSERT_EQ(files::list_folder_files("SYSTEM_F\\BADSOU").size(), 1u);
    folder.h.click("MAINFORM", "BUTTON72");
    auto rows = folder.h.rows("FORM10", "LIST30");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].substr(48, 6), "  F   ");
    EXPECT_EQ(trim(rows[0].substr(54)), "会議の議事録"_sj);

    // The server is back: sent from the list, the mail arrives and leaves the list.
    folder.write_account(account);
    pf::input::double_click_row(pf::form("FORM10").control("LIST30"), 0);
    folder.h.settle();
    ASSERT_TRUE(pf::forms().is_loaded("FORM9"));
    folder.h.boxes().clear();
    folder.h.click("FORM9", "BUTTON27");
    delivered = delivered_to(local);
    ASSERT_EQ(delivered.size(), 2u);
    expect_delivered(delivered[1]);
    EXPECT_TRUE(folder.h.boxes().shown().empty());
    // Neither the mail nor the copies of its attachments kept with it are left.
    EXPECT_TRUE(stdfs::is_empty(files::resolve("SYSTEM_F\\BADSOU")));
    EXPECT_EQ(folder.h.rows("MAINFORM", "LIST1").size(), 2u);
    EXPECT_TRUE(pf::form("MAINFORM").visible);
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_EQ(globals().UNSENT_MODE, 0);
}

// A sender registered from a mail that gave no display name is in the book under its address: the
// picker writes "address<address>", and the mail component sends it.
TEST_F(ComposeSendTest, ARecipientNamedByItsOwnAddressIsDelivered) {
    std::string address = local + "@example.com";
    folder.h.write_lines("SYSTEM_F\\ADDRESS.txt", {"\" \",\" \"", "\"" + address + "\",\"" + address + "\""});
    start();
    compose();
    EXPECT_EQ(pf::form("FORM9").control("EDIT12").text, address + "<" + address + ">");
    folder.h.boxes().clear();
    folder.h.click("FORM9", "BUTTON27");
    EXPECT_TRUE(folder.h.boxes().shown().empty());
    EXPECT_EQ(delivered_to(local).size(), 1u);
    EXPECT_TRUE(files::list_folder_files("SYSTEM_F\\BADSOU").empty());
}

// A To box of several named recipients as a user types them: the mail reaches each with the names
// in its To header, and the sent mail keeps the line as typed.
TEST_F(ComposeSendTest, AToBoxOfSeveralNamedRecipientsReachesEach) {
    std::string second = unique_name("ichiro");
    std::string to = "鈴木 一郎<"_sj + second + "@example.ne.jp>, 山田 花子<"_sj + local + "@example.com>";
    start();
    folder.h.click("MAINFORM", "BUTTON1");
    type("EDIT12", to);
    type("EDIT14", "会議"_sj);
    type("EDIT11", "本文"_sj);
    folder.h.boxes().clear();
    folder.h.click("FORM9", "BUTTON27");
    EXPECT_TRUE(folder.h.boxes().shown().empty());
    ASSERT_EQ(delivered_to(local).size(), 1u);
    ASSERT_EQ(delivered_to(second).size(), 1u);
    EXPECT_EQ(parse_message(delivered_to(second)[0]).to,
              "鈴木 一郎 <" + second + "@example.ne.jp>, 山田 花子 <" + local + "@example.com>");
    auto sent = files::list_folder_files("SOUSINBOX");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ((*files::read_lines("SOUSINBOX\\" + sent[0]))[2], "TO:" + to);
    auto rows = folder.h.rows("MAINFORM", "LIST1");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].rfind(to.substr(0, 30), 0), 0u);
}

// A mail saved as unsent refers to the user's own files where they lie: changed after the save, a
// file goes as it is when the mail is sent.
TEST_F(ComposeSendTest, AnUnsentMailSendsItsFilesAsTheyAreWhenItIsSent) {
    start();
    compose();
    folder.h.boxes().answer_next(pf::MsgAnswer::Yes);
    folder.h.click("FORM9", "BUTTON79");
    auto kept = files::list_folder_files("SYSTEM_F\\BADSOU");
    ASSERT_EQ(kept.size(), 1u);
    auto stored = *files::read_lines("SYSTEM_F\\BADSOU\\" + kept[0]);
    EXPECT_EQ(stored[stored.size() - 3], "FILE:" + text_path);
    text_data = "議事録です。保存の後で直しました。\r\n"_sj;
    folder.h.write(text_path, text_data);

    folder.h.click("MAINFORM", "BUTTON72");
    pf::input::double_click_row(pf::form("FORM10").control("LIST30"), 0);
    folder.h.settle();
    folder.h.click("FORM9", "BUTTON27");
    auto delivered = delivered_to(local);
    ASSERT_EQ(delivered.size(), 1u);
    expect_delivered(delivered[0]);
    EXPECT_TRUE(files::list_folder_files("SYSTEM_F\\BADSOU").empty());
}

}  // namespace
}  // namespace tv::test
