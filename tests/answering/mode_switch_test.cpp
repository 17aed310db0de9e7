// Starting the answering mode with its questions, and stopping it by restoring the main window.
#include <gtest/gtest.h>

#include "answering_program.h"
#include "common/sjis.h"
#include "transfer/status_panel.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using pf::MsgAnswer;

TEST(ModeSwitch, EachRefusalShowsItsMessageAndLeavesTheModeOff) {
    struct Case {
        const char* name;
        std::function<void(AnsweringProgram&)> change;
        std::vector<MsgAnswer> answers;
        std::vector<std::string> titles;
    };
    std::vector<Case> cases{
        {"composing", [](AnsweringProgram&) { pf::forms().load("FORM9"); }, {}, {"作成中"_sj}},
        {"no account", [](AnsweringProgram&) { files::remove_file("SYSTEM_F\\MAIL_DATA.txt"); }, {},
         {"タルベノールメーラー Ver.2.12"_sj}},
        {"an account line blank",
         [](AnsweringProgram& p) {
             p.h.write_lines("SYSTEM_F\\MAIL_DATA.txt", {"s", "Taro", "t@example.jp", "p", "u", "pw", "25", "110", "180", ""});
         },
         {},
         {"タルベノールメーラー Ver.2.12"_sj}},
        {"no forward address, forwarding stopped",
         [](AnsweringProgram&) {
             globals().FORWARD_ADDRESS = " ";
             globals().FORWARD_STOPPED = "1";
         },
         {},
         {"転送先アドレス"_sj}},
        {"both stopped", [](AnsweringProgram&) { globals().FORWARD_STOPPED = globals().REPLY_STOPPED = "1"; }, {},
         {"停止中"_sj}},
        {"no reply text, No", [](AnsweringProgram&) { files::remove_file("SYSTEM_F\\HENSINYOU\\thanks.txt"); },
         {MsgAnswer::No}, {"返信用本文なし"_sj}},
        {"the start question, No", [](AnsweringProgram&) {}, {MsgAnswer::No}, {"タルベノールスタート"_sj}},
    };
    for (const auto& c : cases) {
        AnsweringProgram p;
        p.h.write("SYSTEM_F\\TEMPF_HENSIN\\map.png", "png");
        c.change(p);
        for (auto a : c.answers) p.h.boxes().answer_next(a);
        p.h.click("MAINFORM", "BUTTON30");
        std::vector<std::string> titles;
        for (const auto& box : p.h.boxes().shown()) titles.push_back(box.title);
        EXPECT_EQ(titles, c.titles) << c.name;
        EXPECT_FALSE(p.mode_waiting()) << c.name;
        EXPECT_FALSE(pf::form("MAINFORM").minimized) << c.name;
        // The attachments are listed before the account is looked at.
        bool listed = c.titles[0] != "作成中"_sj;
        EXPECT_EQ(p.h.rows("MAINFORM", "LIST21").size(), listed ? 1u : 0u) << c.name;
    }
}

TEST(ModeSwitch, StartWaitsMinimisedAndRestoringStopsIt) {
    AnsweringProgram p;
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("MAINFORM", "BUTTON30");
    ASSERT_EQ(p.h.boxes().shown().size(), 1u);
    const auto& question = p.h.boxes().shown()[0];
    EXPECT_EQ(question.buttons, pf::MsgButtons::YesNo);
    EXPECT_EQ(question.text.rfind("メールの「自動転送」及び「自動返信」のタルベノールを開始します。   "_sj + "\r\n\r\n", 0), 0u);
    EXPECT_NE(question.text.find("｢Rece"_sj + "\r\nived！｣"_sj), std::string::npos);
    pf::Form& main = pf::form("MAINFORM");
    EXPECT_TRUE(p.mode_waiting());
    EXPECT_TRUE(main.minimized);
    EXPECT_EQ(main.caption, "Talveno-chuu !");
    EXPECT_EQ(main.icon, "SYSTEM_F\\TLVN.ico");

    p.run_seconds(3);  // a check runs
    p.h.boxes().clear();
    p.restore_window();
    ASSERT_EQ(p.h.boxes().shown().size(), 1u);
    EXPECT_EQ(p.h.boxes().shown()[0].title, "タルベノール停止"_sj);
    EXPECT_FALSE(p.mode_waiting());
    EXPECT_EQ(main.caption, "タルベノールメーラー Ver.2.12"_sj);
    EXPECT_TRUE(main.enabled);
    EXPECT_EQ(globals().AWAY_MAIL_ARRIVED, 0);
    int checks = p.h.scripts().starts("sam045.wsf");
    p.run_seconds(120);
    EXPECT_EQ(p.h.scripts().starts("sam045.wsf"), checks);

    // Started again, the first tick checks at once.
    p.start_mode();
    p.run_seconds(2);
    EXPECT_EQ(p.h.scripts().starts("sam045.wsf"), checks + 1);
}

// With the mode off, a minimise and restore enables the main window, except while an operation
// holds it disabled: a receive that pumps events, or a window in the child slot.
TEST(ModeSwitch, RestoringTheWindowLeavesItDisabledWhileAnOperationHoldsIt) {
    {
        AnsweringProgram p;
        pf::Form& main = pf::form("MAINFORM");
        p.h.run([&] { main.set_enabled(false); });  // left disabled, no operation under way
        pf::input::set_minimized(main, true);
        p.restore_window();
        EXPECT_TRUE(main.enabled);
    }
    {
        // A manual receive of ten mails pumps events as each one is listed.
        AnsweringProgram p;
        p.receives.resize(1);
        for (int i = 0; i < 10; ++i) p.receives[0].push_back(AnsweringProgram::mail("a@example.jp", std::to_string(i)));
        pf::Form& main = pf::form("MAINFORM");
        std::vector<bool> enabled_inside;
        p.h.scripts().on("sam045.wsf", [&] {
            for (std::size_t i = 0; i < p.receives[0].size(); ++i) {
                p.h.write_lines("JUSINBOX\\20261210_0900" + std::to_string(10 + i) + ".eml", p.receives[0][i]);
            }
            p.h.write("SYSTEM_F\\T_IN_DONE.txt", "DONE received\r\n");
            // The user minimises and restores the main window while the mails come in.
            pf::input::set_minimized(main, true);
            pf::input::set_minimized(main, false);
            pf::event_queue().post(pf::Event{"probe", [&] {
                                                 if (globals().TRANSFER_RUNNING) enabled_inside.push_back(main.enabled);
                                             }});
        });
        p.h.click("MAINFORM", "BUTTON3");
        ASSERT_EQ(enabled_inside.size(), 1u);  // the restore ran inside the receive
        EXPECT_FALSE(enabled_inside[0]);
        EXPECT_EQ(p.h.rows("MAINFORM", "LIST3").size(), 10u);
        EXPECT_TRUE(main.enabled);  // the receive's end gives it back
    }
    {
        AnsweringProgram p;
        pf::Form& main = pf::form("MAINFORM");
        p.h.click("MAINFORM", "KANKYOYU");
        ASSERT_FALSE(main.enabled);
        pf::input::set_minimized(main, true);
        p.restore_window();
        EXPECT_FALSE(main.enabled);
        p.h.click("FORM4", "BUTTON5");
        EXPECT_TRUE(main.enabled);
    }
}

TEST(ModeSwitch, WithoutReplyTextsYesStartsAModeThatOnlyForwards) {
    AnsweringProgram p;
    files::remove_file("SYSTEM_F\\HENSINYOU\\thanks.txt");
    files::remove_file("SYSTEM_F\\TLVN.ico");
    p.receives = {{AnsweringProgram::mail("hanako@example.jp", "hi")}};
    std::string icon = pf::form("MAINFORM").icon;
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("MAINFORM", "BUTTON30");
    EXPECT_EQ(p.h.boxes().shown().size(), 2u);
    EXPECT_TRUE(p.mode_waiting());
    EXPECT_EQ(pf::form("MAINFORM").icon, icon);
    p.run_seconds(3);
    EXPECT_EQ(p.requests_with("SUBJECT:<転>"_sj).size(), 1u);
    EXPECT_TRUE(p.requests_with("SUBJECT:<返>"_sj).empty());
}

TEST(MainTimer, PurgesOtherDaysLogsAtOnceAndRedrawsTheHintEvery30Events) {
    AnsweringProgram p;
    for (const char* name : {"20261210_TODAY_HENSIN.txt", "20261209_TODAY_HENSIN.txt", "20261211_TODAY_HENSIN.txt",
                             "2026121", "20261210"}) {
        p.h.write(std::string("SYSTEM_F\\TODAY_HENSIN\\") + name, "a@example.jp\r\n");
    }
    // The text the status panel shows last.
    auto panel_text = [] {
        std::string last;
        for (const auto& op : pf::form("MAINFORM").drawing()) {
            if (op.kind == pf::DrawOp::Kind::Text && op.y1 == 683) last = op.text;
        }
        return last;
    };
    p.run_seconds(2);
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\TODAY_HENSIN"),
              (std::vector<std::string>{"20261210", "20261210_TODAY_HENSIN.txt"}));
    EXPECT_EQ(globals().REPLY_LOG_SWEEP_TICKS, globals().HINT_TICKS);
    while (globals().HINT_TICKS < 29) p.h.settle(1);
    transfer::draw_status_panel("a transfer's status");
    while (globals().HINT_TICKS < 30) p.h.settle(1);
    ASSERT_EQ(globals().HINT_TICKS, 30);
    EXPECT_EQ(panel_text(), "* リストを右クリックによって詳細設定できます。"_sj);
}

// After the purge of the first event, the next one comes with the 900th.
TEST(MainTimer, PurgesAgainAtThe900thEvent) {
    AnsweringProgram p;
    p.run_seconds(2);
    ASSERT_GT(globals().REPLY_LOG_SWEEP_TICKS, 0);
    p.h.write("SYSTEM_F\\TODAY_HENSIN\\20261209_TODAY_HENSIN.txt", "a@example.jp\r\n");
    while (globals().REPLY_LOG_SWEEP_TICKS < 899) p.h.settle(1);
    EXPECT_TRUE(p.h.exists("SYSTEM_F\\TODAY_HENSIN\\20261209_TODAY_HENSIN.txt"));
    while (globals().REPLY_LOG_SWEEP_TICKS < 900) p.h.settle(1);
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\TODAY_HENSIN\\20261209_TODAY_HENSIN.txt"));
}

}  // namespace
}  // namespace tv::test
