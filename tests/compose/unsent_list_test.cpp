// The unsent-mail list: its rows, reopening a mail in the compose window and sending it, deleting
// one mail or all of them.
#include <gtest/gtest.h>

#include "common/sjis.h"
#include "compose_fixture.h"
#include "platform/timers.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using Lines = std::vector<std::string>;

const std::string kFirst = "20261201100000_DEL_SOUSIN.txt";
const std::string kSecond = "20261202100000_DEL_SOUSIN.txt";
const std::string kThird = "20261203100000_DEL_SOUSIN.txt";

struct UnsentListTest : ::testing::Test, ComposeFixture {
    UnsentListTest() {
        h.write_lines("SYSTEM_F\\BADSOU\\" + kSecond, {"TO:Hanako <hanako@example.jp>", "FROM:Taro<taro@example.jp>",
                                                       "SUBJECT:with a file", "see the file", "FILE:/home/taro/a.txt",
                                                       "MAIL_END"});
        h.write_lines("SYSTEM_F\\BADSOU\\" + kFirst, {"TO:jiro@example.jp", "FROM:Taro<taro@example.jp>", "SUBJECT:first",
                                                      "line one", "File: in the body", "line three", "FILE:", "MAIL_END"});
        h.write_lines("SYSTEM_F\\BADSOU\\" + kThird, {"TO:only two lines", "FROM:x"});
        h.write("SYSTEM_F\\BADSOU\\20261202100000_DEL_SOUSIN\\a.txt", "kept attachment");
        EXPECT_TRUE(start());
    }
    static pf::Form& list_window() { return pf::form("FORM10"); }
    static pf::Control& rows() { return list_window().control("LIST30"); }
    void open_list() {
        h.click("MAINFORM", "BUTTON72");
        h.boxes().clear();
    }
    void reopen(int row) {
        pf::input::double_click_row(rows(), row);
        h.settle();
    }
};

TEST_F(UnsentListTest, ListsTheStoreOldestFirst) {
    open_list();
    ASSERT_TRUE(pf::forms().is_loaded("FORM10"));
    EXPECT_EQ(list_window().caption, "未送信メール"_sj);
    EXPECT_TRUE(rows().visible);
    EXPECT_FALSE(list_window().control("LIST13").visible);
    EXPECT_FALSE(main().enabled);
    EXPECT_EQ(globals().UNSENT_MODE, 1);
    ASSERT_EQ(rows().count(), 3);
    EXPECT_EQ(trim(rows().item(0).substr(0, 48)), "jiro@example.jp");
    EXPECT_EQ(rows().item(0).substr(48, 6), "      ");
    EXPECT_EQ(trim(rows().item(0).substr(54)), "first");
    EXPECT_EQ(rows().item(1).substr(48, 6), "  F   ");
    EXPECT_EQ(trim(rows().item(2).substr(0, 48)), "only two lines");
    EXPECT_EQ(trim(rows().item(2).substr(48)), "");

    EXPECT_TRUE(close("FORM10"));
    EXPECT_TRUE(main().enabled);
    EXPECT_TRUE(main().visible);
    EXPECT_EQ(globals().UNSENT_MODE, 0);
    EXPECT_EQ(main().control("BUTTON72").font_weight, 700);
}

TEST_F(UnsentListTest, AReopenedMailComesBackWholeAndClosingReturnsToTheList) {
    open_list();
    reopen(0);
    EXPECT_FALSE(pf::forms().is_loaded("FORM10"));
    ASSERT_TRUE(pf::forms().is_loaded("FORM9"));
    EXPECT_EQ(compose().caption, "未送信メール_タルベノールメーラー Ver."_sj + VERSION_TEXT);
    EXPECT_TRUE(compose().topmost);
    EXPECT_FALSE(main().visible);
    EXPECT_EQ(box("EDIT12").text, "jiro@example.jp");
    EXPECT_FALSE(box("EDIT12").enabled);
    EXPECT_FALSE(box("BUTTON79").enabled);
    EXPECT_EQ(box("EDIT14").text, "first");
    EXPECT_EQ(box("EDIT11").text, "line one\r\nFile: in the body\r\nline three");
    EXPECT_TRUE(box("LIST12").items().empty());
    EXPECT_EQ(box("LIST14").items(), (Lines{"line one", "File: in the body", "line three"}));

    EXPECT_TRUE(close("FORM9"));
    EXPECT_TRUE(main().visible);
    EXPECT_FALSE(main().enabled);
    ASSERT_TRUE(pf::forms().is_loaded("FORM10"));
    EXPECT_EQ(rows().count(), 3);
    EXPECT_EQ(unsent_files().size(), 3u);

    reopen(1);
    EXPECT_EQ(box("LIST12").items(), Lines{"/home/taro/a.txt"});
    EXPECT_EQ(box("EDIT11").text, "see the file");
}

// The compose window's timer goes on while its close question is up, as a desktop's does: the
// list's load event, queued when the answer comes after seconds, must still run.
TEST_F(UnsentListTest, TheListComesBackAfterASlowAnswerToTheCloseQuestion) {
    open_list();
    reopen(0);
    h.boxes().while_shown = [this](const pf::MessageBoxRequest&) {
        for (int i = 0; i < 100; ++i) {
            h.clock().advance(50);
            pf::poll_timers();
        }
    };
    EXPECT_TRUE(close("FORM9"));
    h.boxes().while_shown = nullptr;
    ASSERT_TRUE(pf::forms().is_loaded("FORM10"));
    EXPECT_TRUE(list_window().visible);
    EXPECT_EQ(rows().count(), 3);
    EXPECT_FALSE(main().enabled);

    EXPECT_TRUE(close("FORM10"));
    EXPECT_TRUE(main().enabled);
}

// The reopened mail leaves the store only when it was sent or kept again under a new name.
TEST_F(UnsentListTest, SendingAReopenedMail) {
    struct Case {
        const char* name;
        std::string result;
        bool request_gone;  // the send script took the request away and failed: nothing was kept
        bool old_stays;
        std::size_t files_after;
    };
    const Case cases[] = {
        {"sent", "DONE", false, false, 2},
        {"kept again", "ERRORCANT CONNECT SERVER", false, false, 3},
        {"not kept", "ERROR", true, true, 3},
    };
    for (const auto& c : cases) {
        std::string before = h.read("SYSTEM_F\\BADSOU\\" + kSecond);
        send_result = c.result;
        if (c.request_gone) {
            h.scripts().on("sam042.wsf", [this] {
                files::remove_if_exists("SYSTEM_F\\DEL_SOUSIN.txt");
                h.write("SYSTEM_F\\T_OUT_DONE.txt", "ERROR\r\n");
            });
        }
        open_list();
        reopen(1);
        h.boxes().clear();
        h.click("FORM9", "BUTTON27");
        EXPECT_FALSE(pf::forms().is_loaded("FORM9")) << c.name;
        EXPECT_EQ(h.exists("SYSTEM_F\\BADSOU\\" + kSecond), c.old_stays) << c.name;
        EXPECT_EQ(h.exists("SYSTEM_F\\BADSOU\\20261202100000_DEL_SOUSIN\\a.txt"), c.old_stays) << c.name;
        EXPECT_EQ(unsent_files().size(), c.files_after) << c.name;
        EXPECT_TRUE(main().visible) << c.name;
        EXPECT_TRUE(main().enabled) << c.name;
        EXPECT_EQ(globals().UNSENT_MODE, 0) << c.name;
        // Back to the three stored mails for the next case.
        for (const auto& name : unsent_files()) {
            if (name != kFirst && name != kThird) files::remove_file("SYSTEM_F\\BADSOU\\" + name);
        }
        h.write("SYSTEM_F\\BADSOU\\" + kSecond, before);
        h.write("SYSTEM_F\\BADSOU\\20261202100000_DEL_SOUSIN\\a.txt", "kept attachment");
    }
}

// A paragraph's full-width indent and code indentation survive saving, reopening and sending, and
// the mail goes as it would have gone without being saved first.
TEST_F(UnsentListTest, IndentedLinesComeBackAsTyped) {
    const Lines typed{"　拝啓、いつもお世話になっております。"_sj, "    if (ready) {", "        send();", "    }"};
    std::string body;
    for (const auto& line : typed) body += (body.empty() ? "" : "\r\n") + line;
    open_compose();
    fill("hanako@example.jp", "indent", body + "  ");
    h.boxes().answer_next(pf::MsgAnswer::Yes);
    h.click("FORM9", "BUTTON79");
    ASSERT_EQ(unsent_files().size(), 4u);
    Lines stored = unsent_file(unsent_files()[3]);
    ASSERT_EQ(stored.size(), 3u + typed.size() + 2u);
    EXPECT_EQ(Lines(stored.begin() + 3, stored.begin() + 3 + static_cast<long>(typed.size())), typed);

    open_list();
    reopen(3);
    EXPECT_EQ(box("EDIT11").text, body);
    h.click("FORM9", "BUTTON27");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(Lines(requests[0].begin() + 3, requests[0].begin() + 3 + static_cast<long>(typed.size())), typed);
}

TEST_F(UnsentListTest, DeletingOneOrAll) {
    open_list();
    h.click("FORM10", "BUTTON73");
    EXPECT_EQ(titles(), Lines{"NOT SELECT"});

    pf::input::click_row(rows(), 1);
    h.boxes().clear();
    h.boxes().answer_next(pf::MsgAnswer::No);
    h.click("FORM10", "BUTTON73");
    EXPECT_EQ(titles(), Lines{"削除"_sj});
    EXPECT_EQ(unsent_files().size(), 3u);

    h.boxes().answer_next(pf::MsgAnswer::Yes);
    h.click("FORM10", "BUTTON73");
    EXPECT_EQ(unsent_files(), (Lines{kFirst, kThird}));
    EXPECT_FALSE(h.exists("SYSTEM_F\\BADSOU\\20261202100000_DEL_SOUSIN"));
    EXPECT_EQ(rows().count(), 2);
    EXPECT_EQ(rows().selected(), -1);
    EXPECT_EQ(trim(rows().item(1).substr(0, 48)), "only two lines");

    h.boxes().clear();
    h.boxes().answer_next(pf::MsgAnswer::Yes);
    h.click("FORM10", "BUTTON74");
    EXPECT_EQ(titles(), Lines{"全て削除"_sj});
    EXPECT_TRUE(unsent_files().empty());
    EXPECT_EQ(rows().count(), 0);
    // The main window's button shows the change once the list closes.
    EXPECT_EQ(main().control("BUTTON72").font_weight, 700);

    h.boxes().clear();
    h.click("FORM10", "BUTTON74");
    EXPECT_EQ(titles(), Lines{"NOT EXIST FILE"});
    h.click("FORM10", "BUTTON92");
    EXPECT_FALSE(pf::forms().is_loaded("FORM10"));
    EXPECT_EQ(main().control("BUTTON72").font_weight, 400);
    EXPECT_TRUE(main().enabled);
}

TEST_F(UnsentListTest, RefusedWhileComposingOrWhileTheSlotIsTaken) {
    open_compose();
    main().set_window_state(pf::WindowState::Normal);
    h.boxes().clear();
    h.click("MAINFORM", "BUTTON72");
    EXPECT_EQ(titles(), Lines{"作成中"_sj});
    EXPECT_FALSE(pf::forms().is_loaded("FORM10"));
    EXPECT_TRUE(close("FORM9"));

    pf::forms().take_child_slot("FORM4");
    h.boxes().clear();
    h.click("MAINFORM", "BUTTON72");
    EXPECT_EQ(titles(), Lines{"NOT OPEN !"});
    EXPECT_EQ(globals().UNSENT_MODE, 0);
    EXPECT_TRUE(main().enabled);
}

}  // namespace
}  // namespace tv::test
