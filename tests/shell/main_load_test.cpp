#include <gtest/gtest.h>

#include "common/globals.h"
#include "common/paths.h"
#include "common/summary_record.h"
#include "common/text_file.h"
#include "harness/harness.h"
#include "platform/forms.h"
#include "platform/input.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

struct MainLoadTest : ::testing::Test {
    test::Harness h;
    MainLoadTest() { h.install_fake_parser(); }
    void mails(int n) {
        for (int i = 1; i <= n; ++i) {
            h.add_mail("JUSINBOX", "20261201_10000" + std::to_string(i) + ".eml", "2026/12/01 10:00:0" + std::to_string(i),
                       "s" + std::to_string(i) + " <s@example.jp>", "mail " + std::to_string(i));
        }
    }
    void records(int n, const std::string& subject_prefix = "record ") {
        for (int i = 1; i <= n; ++i) {
            h.write("SYSTEM_F\\F_D_F\\20261201_10000" + std::to_string(i) + ".dxd",
                    "\"DATE: 2026/12/01 10:00:0" + std::to_string(i) + "\",\"FROM: r <r@example.jp>\",\"SUBJECT: " +
                        subject_prefix + std::to_string(i) + "\",\" \"\r\n");
        }
    }
    std::string subject(int row) { return trim(h.rows("MAINFORM", "LIST3")[row].substr(56, 60)); }
};

TEST_F(MainLoadTest, StartWithMailAndNoRecordsRebuildsThenLists) {
    mails(3);
    ASSERT_TRUE(h.start());
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").size(), 3u);
    ASSERT_EQ(h.rows("MAINFORM", "LIST3").size(), 3u);
    EXPECT_EQ(subject(2), "mail 3");
    EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), test::crlf(h.rows("MAINFORM", "LIST3")));
    EXPECT_EQ(h.scripts().starts("sam046.wsf"), 3);
    EXPECT_EQ(h.scripts().starts("sam047.wsf"), 0);
}

TEST_F(MainLoadTest, ThreeWaysOfFillingTheReceiveList) {
    struct Case { const char* name; int mails, records, cache; std::string first_subject; int parses; };
    std::vector<Case> cases{
        {"trusted cache", 2, 2, 2, "cached 1", 0},
        {"records", 2, 2, 0, "record 1", 0},
        {"records and a cache of another count", 2, 2, 1, "record 1", 0},
        {"display rebuild", 3, 2, 2, "mail 1", 3},
    };
    for (const auto& c : cases) {
        test::Harness h2;
        h2.install_fake_parser();
        for (int i = 1; i <= c.mails; ++i) {
            h2.add_mail("JUSINBOX", "20261201_10000" + std::to_string(i) + ".eml", "2026/12/01 10:00:0" + std::to_string(i),
                        "s <s@example.jp>", "mail " + std::to_string(i));
        }
        for (int i = 1; i <= c.records; ++i) {
            h2.write("SYSTEM_F\\F_D_F\\20261201_10000" + std::to_string(i) + ".dxd",
                     "\"DATE: 2026/12/01 10:00:0" + std::to_string(i) + "\",\"FROM: r\",\"SUBJECT: record " +
                         std::to_string(i) + "\",\" \"\r\n");
        }
        std::vector<std::string> cache;
        for (int i = 1; i <= c.cache; ++i) cache.push_back(std::string(56, ' ') + "cached " + std::to_string(i));
        if (c.cache) h2.write_lines("SYSTEM_F\\F_JU.txt", cache);
        std::vector<pf::DrawOp> wait_drawing;
        h2.scripts().while_waiting = [&](const std::string& script) {
            if (script == "sam047.wsf") wait_drawing = pf::form("FORM5").drawing();
        };
        ASSERT_TRUE(h2.start()) << c.name;
        auto rows = h2.rows("MAINFORM", "LIST3");
        ASSERT_EQ(static_cast<int>(rows.size()), c.mails) << c.name;
        EXPECT_EQ(trim(rows[0].substr(56, 60)), c.first_subject) << c.name;
        EXPECT_EQ(h2.scripts().starts("sam047.wsf"), c.parses) << c.name;
        if (c.parses) {
            // The wait window's title: its white copy two pixels right and down.
            std::vector<std::pair<int, int>> title_at;
            for (const auto& op : wait_drawing) {
                if (op.text.rfind("タルベノールメーラー Ver."_sj, 0) == 0) title_at.emplace_back(op.x1, op.y1);
            }
            EXPECT_EQ(title_at, (std::vector<std::pair<int, int>>{{22, 17}, {20, 15}})) << c.name;
            // The silent re-index wrote the records the display rebuild did not.
            EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").size(), 3u) << c.name;
            EXPECT_EQ(h2.scripts().starts("sam046.wsf"), 3) << c.name;
        }
        EXPECT_EQ(h2.read("SYSTEM_F\\F_JU.txt"), c.cache == c.mails && c.parses == 0 ? test::crlf(cache) : test::crlf(rows))
            << c.name;
    }
}

TEST_F(MainLoadTest, RecordsThatDoNotPairWithTheMailsAreNotTrusted) {
    mails(2);
    records(1);
    h.write("SYSTEM_F\\F_D_F\\zzz.dxd", "\"DATE: x\",\"FROM: y\",\"SUBJECT: stray\",\" \"\r\n");
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.scripts().starts("sam047.wsf"), 2);
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F"),
              (std::vector<std::string>{"20261201_100001.dxd", "20261201_100002.dxd"}));
    EXPECT_EQ(subject(1), "mail 2");
}

TEST_F(MainLoadTest, CacheThatWouldLoseRowsIsNotTrusted) {
    mails(3);
    records(3);
    h.write("SYSTEM_F\\F_JU.txt", "r1\r\nr2\r\n \r\nr4\r\n");  // three rows, one past a blank line
    ASSERT_TRUE(h.start());
    EXPECT_EQ(subject(2), "record 3");
}

TEST_F(MainLoadTest, SendListFromTheSentFiles) {
    h.write_lines("SOUSINBOX\\20261201_100000.txt",
                  {"DATE: 2026/12/01 10:00:00", "FROM: me", "TO: ＡＢＣ@example.jp"_sj, "SUBJECT: 件名"_sj, "BODY:", "",
                   "text", "file: x", "FILE:"});
    h.write_lines("SOUSINBOX\\20261201_100001.txt",
                  {"DATE: 2026/12/01 10:00:01", "FROM: me", "TO: b@example.jp", "SUBJECT: two", "BODY:", "", "x",
                   "FILE: TENPFIL\\a.pdf"});
    h.write("SOUSINBOX\\broken.txt", "");
    ASSERT_TRUE(h.start());
    auto rows = h.rows("MAINFORM", "LIST1");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].size(), 139u);
    EXPECT_EQ(trim(rows[0].substr(0, 50)), "ABC@example.jp");
    EXPECT_EQ(rows[0].substr(50, 3), "   ");  // the last "FILE:" line is bare
    EXPECT_EQ(trim(rows[0].substr(56, 60)), "件名"_sj);
    EXPECT_EQ(rows[0].substr(119), " 2026/12/01 10:00:00");  // the line without its five-byte "DATE:"
    EXPECT_EQ(rows[1].substr(50, 3), "  F");
    EXPECT_FALSE(is_blank(rows[2]));  // every sent file has a visible row
    bool counted = false;
    for (const auto& op : pf::form("MAINFORM").drawing()) counted |= op.text == "[ 送信ボックス内メール数： 3 通 ]"_sj;
    EXPECT_TRUE(counted);
}

TEST_F(MainLoadTest, UnsentMailMakesTheButtonBold) {
    h.write("SYSTEM_F\\BADSOU\\20261201100000.txt", "x");
    ASSERT_TRUE(h.start());
    EXPECT_EQ(pf::form("MAINFORM").control("BUTTON72").font_weight, 700);
}

TEST_F(MainLoadTest, CloseRequestWhileAScriptIsWaitedForRunsAtOnce) {
    mails(2);
    records(1);
    int closes = 0;
    h.scripts().while_waiting = [&](const std::string& script) {
        if (script == "sam047.wsf" && closes == 0) {
            ++closes;
            // The window is disabled while it loads: only an ending session may close it now.
            h.platform.window_system.post_message(
                [] { pf::input::request_close(pf::form("MAINFORM"), pf::input::CloseMode::SessionEnd); });
        }
    };
    EXPECT_FALSE(h.start());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(h.scripts().starts("sam047.wsf"), 1);  // the program ended inside the first wait
}

}  // namespace
}  // namespace tv::shell
