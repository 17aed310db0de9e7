#include <gtest/gtest.h>

#include "platform/events.h"
#include "transfer/send.h"
#include "transfer/unsent_store.h"
#include "transfer_fixture.h"

namespace tv::transfer {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using test::TransferFixture;

const std::vector<std::string> kRequest{"TO:hanako@example.jp", "FROM:Taro<taro@example.jp>", "SUBJECT:hello", "body",
                                        "MAIL_END"};

struct SendTest : ::testing::Test {
    TransferFixture f;
    int sent = 0;
    SendOutcome outcome = SendOutcome::NoRequest;
    // The send script: stores a sent file and writes the result.
    void script(const std::string& result, bool store_file = true) {
        f.h.scripts().on("sam042.wsf", [this, result, store_file] {
            if (store_file) {
                char name[32];
                std::snprintf(name, sizeof name, "20261210_0910%02d.txt", ++sent);
                f.h.write_lines(std::string("SOUSINBOX\\") + name,
                                {"DATE: 2026/12/10 09:10:00", "FROM: Taro<taro@example.jp>", "TO: hanako@example.jp",
                                 "SUBJECT: hello", "BODY:", "", "body", "FILE:"});
            }
            f.h.write("SYSTEM_F\\T_OUT_DONE.txt", result + "\r\n");
        });
    }
    void send(bool manual, const std::vector<std::string>& request = kRequest) {
        f.h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt", request);
        globals().SEND_TO_TEXT = "hanako@example.jp";
        globals().MANUAL_TRANSFER = manual ? 1 : 0;
        if (manual) pf::forms().load("FORM6");
        f.h.run_trapped([this] { outcome = SOUSIN(); });
        f.h.settle();
    }
    std::vector<std::string> unsent() { return files::list_folder_files("SYSTEM_F\\BADSOU"); }
};

TEST_F(SendTest, DoneDeletesTheRequestAndListsTheSentMail) {
    f.h.write_lines("SYSTEM_F\\ADDRESS.txt", {"\" \",\" \"", "\"Hanako\",\"hanako@example.jp\""});
    script("DONE");
    send(true);
    EXPECT_FALSE(f.h.exists("SYSTEM_F\\DEL_SOUSIN.txt"));
    auto rows = f.h.rows("MAINFORM", "LIST1");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(trim(rows[0].substr(0, 50)), "Hanako");
    EXPECT_EQ(f.status_texts().back().substr(0, 27), "メールを送信しました！ *** "_sj);
    EXPECT_EQ(TransferFixture::count_line("[ 送信ボックス内メール数："_sj), "[ 送信ボックス内メール数： 1 通 ]"_sj);
    EXPECT_TRUE(f.h.boxes().shown().empty());
    EXPECT_FALSE(pf::forms().is_loaded("FORM6"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_TRUE(pf::form("MAINFORM").visible);
    EXPECT_EQ(globals().MANUAL_TRANSFER, 0);
    EXPECT_TRUE(unsent().empty());
    EXPECT_EQ(outcome, SendOutcome::Sent);
}

TEST_F(SendTest, WhatIsNotSentStaysAsUnsentMail) {
    struct Case { const char* name; std::string result; bool manual; std::string message; bool status_message; };
    std::vector<Case> cases{
        {"error", "ERRORCANT CONNECT SERVER", true, "サーバーに接続できませんでした。  \r\n\r\nCANT CONNECT SERVER"_sj, true},
        {"error, lower case", "ERRORcant connect server", true,
         "サーバーに接続できませんでした。  \r\n\r\ncant connect server"_sj, true},
        {"error alone", "ERROR", true, "", true},
        {"neither done nor error", "done?", true, "メールを送信できませんでした。未送信メールに保存しました。   "_sj, false},
        {"silent error", "ERRORrefused", false, "", true},
    };
    for (const auto& c : cases) {
        for (const auto& name : unsent()) files::remove_file("SYSTEM_F\\BADSOU\\" + name);
        f.h.boxes().clear();
        script(c.result);
        send(c.manual);
        ASSERT_EQ(unsent().size(), 1u) << c.name;
        EXPECT_EQ(outcome, SendOutcome::KeptUnsent) << c.name;
        EXPECT_EQ(f.h.read("SYSTEM_F\\BADSOU\\" + unsent()[0]), test::crlf(kRequest)) << c.name;
        EXPECT_FALSE(f.h.exists("SYSTEM_F\\DEL_SOUSIN.txt")) << c.name;
        EXPECT_EQ(pf::form("MAINFORM").control("BUTTON72").font_weight, 700) << c.name;
        if (c.manual) {
            ASSERT_EQ(f.h.boxes().shown().size(), 1u) << c.name;
            EXPECT_EQ(f.h.boxes().shown()[0].text, c.message) << c.name;
        } else {
            EXPECT_TRUE(f.h.boxes().shown().empty()) << c.name;
        }
    }
}

TEST_F(SendTest, WithoutAnAccountTheMailIsKept) {
    files::remove_file("SYSTEM_F\\MAIL_DATA.txt");
    script("DONE");
    send(true);
    EXPECT_EQ(f.h.scripts().starts("sam042.wsf"), 0);
    EXPECT_EQ(unsent().size(), 1u);
    EXPECT_EQ(outcome, SendOutcome::KeptUnsent);
    ASSERT_EQ(f.h.boxes().shown().size(), 1u);
    EXPECT_EQ(f.h.boxes().shown()[0].text, "アカウント情報が設定されていません。      "_sj);
}

TEST_F(SendTest, TwoMailsKeptInOneSecondGetTwoNames) {
    script("ERRORno");
    send(false);
    send(false);
    auto names = unsent();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "20261210090000_DEL_SOUSIN.txt");
    EXPECT_EQ(names[1], "20261210090001_DEL_SOUSIN.txt");
}

TEST_F(SendTest, ASendInsideAnotherTransferIsKeptUnsent) {
    script("DONE");
    globals().TRANSFER_RUNNING = true;
    send(false);
    globals().TRANSFER_RUNNING = false;
    EXPECT_EQ(f.h.scripts().starts("sam042.wsf"), 0);
    EXPECT_EQ(unsent().size(), 1u);
}

TEST_F(SendTest, ARuntimeFailureKeepsTheMail) {
    f.h.scripts().fail_to_start("sam042.wsf");
    send(true);
    EXPECT_EQ(unsent().size(), 1u);
    EXPECT_EQ(outcome, SendOutcome::KeptUnsent);
    ASSERT_EQ(f.h.boxes().shown().size(), 1u);
    EXPECT_EQ(f.h.boxes().shown()[0].title, "NOT SEND !");
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_FALSE(pf::forms().is_loaded("FORM6"));
}

TEST_F(SendTest, AKeptMailKeepsItsAttachmentsBesideIt) {
    f.h.write("TENPFIL\\a.txt", "first");
    f.h.write("SYSTEM_F\\TEMPF_HENSIN\\a.txt", "second");
    f.h.write("SYSTEM_F\\TEMPF_HENSIN\\写真.jpg"_sj, "photo");
    std::string absolute = (f.h.folder / "outside.pdf").string();
    f.h.write("outside.pdf", "pdf");
    script("ERRORno");
    send(false, {"TO:hanako@example.jp", "FROM:Taro<taro@example.jp>", "SUBJECT:hello", "FILE: in the body", "",
                 "FILE:TENPFIL\\a.txt", "FILE:SYSTEM_F\\TEMPF_HENSIN\\a.txt", "FILE:SYSTEM_F\\TEMPF_HENSIN\\写真.jpg"_sj,
                 "FILE:TENPFIL\\gone.txt", "FILE:" + absolute, "MAIL_END"});
    EXPECT_EQ(outcome, SendOutcome::KeptUnsent);
    // The folder of attachments is no unsent mail of its own.
    ASSERT_EQ(unsent(), std::vector<std::string>{"20261210090000_DEL_SOUSIN.txt"});
    const std::string kept = "SYSTEM_F\\BADSOU\\20261210090000_DEL_SOUSIN\\";
    EXPECT_EQ(f.h.read("SYSTEM_F\\BADSOU\\20261210090000_DEL_SOUSIN.txt"),
              test::crlf({"TO:hanako@example.jp", "FROM:Taro<taro@example.jp>", "SUBJECT:hello", "FILE: in the body", "",
                          "FILE:" + kept + "a.txt", "FILE:" + kept + "2\\a.txt", "FILE:" + kept + "写真.jpg"_sj,
                          "FILE:TENPFIL\\gone.txt", "FILE:" + kept + "outside.pdf", "MAIL_END"}));
    EXPECT_EQ(f.h.read(kept + "a.txt"), "first");
    EXPECT_EQ(f.h.read(kept + "2\\a.txt"), "second");
    EXPECT_EQ(f.h.read(kept + "写真.jpg"_sj), "photo");
    EXPECT_EQ(f.h.read(kept + "outside.pdf"), "pdf");
    // The next mail kept in that second takes neither the name nor the folder.
    send(false);
    EXPECT_EQ(unsent().back(), "20261210090001_DEL_SOUSIN.txt");
    discard_kept_attachments("20261210090000_DEL_SOUSIN.txt");
    EXPECT_FALSE(f.h.exists(kept + "a.txt"));
    EXPECT_EQ(unsent().size(), 2u);
}

TEST_F(SendTest, StatusWindowDrawsItsBarAndGreysItsCloseItem) {
    script("DONE");
    f.h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt", kRequest);
    globals().SEND_TO_TEXT = "hanako@example.jp";
    globals().MANUAL_TRANSFER = 1;
    pf::forms().load("FORM6");
    f.h.run_trapped([] { pf::run_queued_events(); });  // its load event
    EXPECT_FALSE(pf::form("FORM6").close_box_enabled);
    EXPECT_EQ(pf::form("FORM6").caption, "タルベノールメーラー Ver.2.12"_sj);
    int texts = 0;
    f.h.scripts().while_waiting = [&](const std::string&) {
        for (const auto& op : pf::form("FORM6").drawing()) texts += op.text == "To：hanako@example.jp"_sj;
    };
    f.h.run_trapped(SOUSIN);
    EXPECT_EQ(texts, 2);  // the white copy and the grey text
}

}  // namespace
}  // namespace tv::transfer
