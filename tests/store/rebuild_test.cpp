#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "common/exchange_files.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "common/receive_list_row.h"
#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "store/database_rebuild.h"
#include "store/first_run_rebuild.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/rebuild_progress.h"
#include "store/receive_list.h"
#include "store/silent_reindex.h"

namespace tv::store {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

struct RebuildTest : ::testing::Test {
    test::Harness h;
    RebuildTest() {
        h.install_program();
        h.install_fake_parser();
        for (const auto& s : mail_stores()) {
            h.make_folder(s.mail_folder);
            h.make_folder(s.record_folder);
            h.make_folder(s.sent_folder);
        }
        pf::forms().load("MAINFORM");
        pf::event_queue().clear();
    }
    void mails(const MailStore& store, int n) {
        for (int i = 1; i <= n; ++i) {
            h.add_mail(store.mail_folder, "20261201_10000" + std::to_string(i) + ".eml",
                       "2026/12/01 10:00:0" + std::to_string(i), "Sender" + std::to_string(i) + " <s@example.jp>",
                       std::string(store.name) + " mail " + std::to_string(i));
        }
    }
    std::vector<std::string> records(const MailStore& store) { return files::list_folder_files(store.record_folder); }
};

TEST_F(RebuildTest, FirstRunRebuildsOnlyStoresWithMailAndNoRecord) {
    const auto& stores = mail_stores();
    mails(stores[0], 3);                                                   // rebuilt
    mails(stores[2], 2);                                                   // JOB: has a record, left alone
    h.write(std::string(stores[2].record_folder) + "\\20261201_100001.dxd", "x");
    h.write(std::string(stores[3].record_folder) + "\\old.dxd", "x");      // PRIVATE: records, no mail
    mails(stores[4], 1);                                                   // HOBBY: rebuilt
    h.write(std::string(stores[4].mail_folder) + "\\.hidden", "x");
    h.write("SYSTEM_F\\F_JU.txt", "cache\r\n");
    std::vector<std::string> banners;
    h.scripts().while_waiting = [&](const std::string&) {
        for (const auto& op : pf::form("FORM5").drawing()) {
            if (op.y1 == 67) banners.push_back(op.text);  // the grey banner copy
        }
    };
    auto before_cache = h.read("SYSTEM_F\\F_JU.txt");
    h.run(FIRST_RUN_REBUILD);
    EXPECT_FALSE(h.program_ended());
    EXPECT_EQ(records(stores[0]),
              (std::vector<std::string>{"20261201_100001.dxd", "20261201_100002.dxd", "20261201_100003.dxd"}));
    EXPECT_EQ(records(stores[2]).size(), 1u);
    EXPECT_EQ(records(stores[3]), std::vector<std::string>{"old.dxd"});
    EXPECT_EQ(records(stores[4]), std::vector<std::string>{"20261201_100001.dxd"});
    EXPECT_EQ(h.read(std::string(stores[4].record_folder) + "\\20261201_100001.dxd"),
              "\"DATE: 2026/12/01 10:00:01\",\"FROM: Sender1 <s@example.jp>\",\"SUBJECT: HOBBY mail 1\",\" \"\r\n");
    EXPECT_EQ(banners, (std::vector<std::string>{"ＦＩＲＳＴ・・・・・・"_sj, "ＦＩＲＳＴ・・・・・・"_sj,
                                                 "ＦＩＲＳＴ・・・・・・"_sj, "ＨＯＢＢＹ・・・・・・"_sj}));
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), before_cache);
    for (const char* l : {"LIST2", "LIST33", "LIST34"}) EXPECT_EQ(work_list(l).count(), 0) << l;
    // Six pauses of 20 ms per mail when every result is there at once.
    EXPECT_EQ(h.clock().paused_ms(), 4 * 120);
}

TEST(RebuildProgress, BarRightEdges) {
    struct Case { int position, count, right; };
    for (auto c : std::vector<Case>{{1, 3, 243}, {2, 3, 356}, {3, 3, 470}, {1, 1, 470}, {1, 340, 131},
                                    {339, 340, 469}, {1, 1000, 130}, {2, 1000, 130}, {3, 1000, 131}}) {
        EXPECT_EQ(progress_bar_right(c.position, c.count), c.right) << c.position << "/" << c.count;
    }
}

TEST_F(RebuildTest, DatabaseRebuildDeclinedChangesNothing) {
    mails(mail_stores()[0], 2);
    h.write("SYSTEM_F\\F_JU.txt", "row\r\n");
    auto before = h.snapshot();
    h.boxes().answer_next(pf::MsgAnswer::No);
    h.run(D_SAIKOUTIKU_ON);
    EXPECT_EQ(h.snapshot(), before);
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_EQ(h.scripts().total_starts(), 0);
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_EQ(h.boxes().shown()[0].buttons, pf::MsgButtons::YesNo);
    EXPECT_EQ(h.boxes().shown()[0].text,
              "データベースの再構築を行います。 \r\n\r\n保存されているメールのデータベースを整理します。 \r\n"
              "この操作は、ユーザーによって定期的に行う必要があります。 \r\n\r\nよろしいですか？   "_sj);
}

TEST_F(RebuildTest, DatabaseRebuildOverAllStores) {
    const auto& s = mail_stores();
    mails(s[0], 3);
    h.add_mail(s[0].mail_folder, "20261201_100004.eml", "Mon, 1 Dec 2026", "x <x@example.jp>", "attached", {"a.pdf"});
    mails(s[1], 2);
    for (const char* stale : {"\\20261201_100001.dxd", "\\gone1.dxd", "\\gone2.txt"}) {
        h.write(std::string(s[1].record_folder) + stale, "\"stale\"");
    }
    mails(s[2], 1);
    h.write(std::string(s[3].record_folder) + "\\orphan.dxd", "x");
    mails(s[5], 2);
    h.write("SYSTEM_F\\F_JU.txt", "old row\r\n");
    h.write("SYSTEM_F\\G_JU.txt", "old\r\n");
    h.write("SYSTEM_F\\JOB_F_JU.txt", "old\r\n");  // deleted under its upper-case name
    h.write("SYSTEM_F\\PRI_F_JU.txt", "old\r\n");  // a folder without mail keeps its cache
    h.write("GOMIBAKO\\SOUSIN_FO\\sent.txt", "sent");
    h.write("SOUSINBOX\\sent.txt", "sent");
    auto& list3 = pf::form("MAINFORM").control("LIST3");
    list3.add_item("old row");

    h.run(D_SAIKOUTIKU_ON);
    ASSERT_FALSE(h.program_ended());
    EXPECT_EQ(records(s[0]).size(), 4u);
    EXPECT_EQ(records(s[1]), (std::vector<std::string>{"20261201_100001.dxd", "20261201_100002.dxd"}));
    EXPECT_EQ(records(s[2]).size(), 1u);
    EXPECT_TRUE(records(s[3]).empty());
    EXPECT_EQ(records(s[5]).size(), 2u);
    EXPECT_FALSE(h.exists("SYSTEM_F\\G_JU.txt"));
    EXPECT_FALSE(h.exists("SYSTEM_F\\JOB_F_JU.txt"));
    EXPECT_TRUE(h.exists("SYSTEM_F\\PRI_F_JU.txt"));
    EXPECT_FALSE(h.exists("SYSTEM_F\\ANO_F_JU.txt"));
    EXPECT_EQ(h.read("SOUSINBOX\\sent.txt"), "sent");
    EXPECT_EQ(h.read("GOMIBAKO\\SOUSIN_FO\\sent.txt"), "sent");

    ASSERT_EQ(list3.count(), 4);
    EXPECT_EQ(list3.item(0).substr(56, 20), "receive box mail 1  ");
    EXPECT_EQ(list3.item(3).substr(50, 3), "  F");
    EXPECT_EQ(list3.item(3).substr(119), "2026/12/01 10:00:04 ");  // a date in another form: the receipt time
    EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), test::crlf(list3.items()));
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_EQ(pf::form("MAINFORM").pointer, pf::MousePointer::Arrow);
    ASSERT_EQ(h.boxes().shown().size(), 2u);
    EXPECT_EQ(h.boxes().shown()[1].text, "データベースの再構築は、正常に終了しました。   "_sj);
    bool counted = false;
    for (const auto& op : pf::form("MAINFORM").drawing()) {
        counted |= op.text == "[ 受信ボックス内メール数： 4 通 ]"_sj;
    }
    EXPECT_TRUE(counted);
    EXPECT_EQ(h.scripts().starts("sam046.wsf"), 4 + 2 + 1 + 2);
}

// A mail whose attachment a parse could not save (a full disk: the parse marks it, its result lists
// no file) keeps its attachment mark through every rebuild, and a record an earlier version wrote
// without the mark gets it.
TEST_F(RebuildTest, AnAttachmentThatCouldNotBeSavedKeepsItsMark) {
    struct Case {
        const char* name;
        void (*rebuild)();
    };
    const Case cases[] = {{"database rebuild", D_SAIKOUTIKU_ON}, {"silent re-index", D_SAIK_AOUTO}};
    const auto& box = receive_box();
    const std::string record = std::string(box.record_folder) + "\\20261201_100001.dxd";
    h.add_mail(box.mail_folder, "20261201_100001.eml", "2026/12/01 10:00:01", "a <a@example.jp>", "unsaved");
    h.scripts().on("sam046.wsf", [this] {
        h.write(exchange::kParseMarksFile, "ATTACHMENT-NOT-SAVED\r\nDISK-FULL\r\n");
        auto lines = *files::read_lines(files::read_first_line(exchange::kRequestFile));
        lines.emplace_back(exchange::kEndLine);
        h.write_lines(exchange::kParseResultFile, lines);
    });
    for (const auto& c : cases) {
        h.write(record, "\"DATE: 2026/12/01 10:00:01\",\"FROM: a <a@example.jp>\",\"SUBJECT: unsaved\",\" \"\r\n");
        h.run(c.rebuild);
        EXPECT_EQ(h.read(record), "\"DATE: 2026/12/01 10:00:01\",\"FROM: a <a@example.jp>\",\"SUBJECT: unsaved\",\"F\"\r\n")
            << c.name;
        auto& list3 = pf::form("MAINFORM").control("LIST3");
        ASSERT_EQ(list3.count(), 1) << c.name;
        EXPECT_EQ(list3.item(0).substr(50, 3), "  F") << c.name;
    }
}

TEST_F(RebuildTest, DatabaseRebuildWithAnEmptyReceiveBoxEmptiesTheList) {
    pf::form("MAINFORM").control("LIST3").add_item("row of a mail that is gone");
    h.run(D_SAIKOUTIKU_ON);
    EXPECT_EQ(pf::form("MAINFORM").control("LIST3").count(), 0);
    EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), "\r\n");
    EXPECT_EQ(h.boxes().shown().size(), 2u);
}

TEST_F(RebuildTest, ParseStopAtAMailOfTheTrashEndsTheProgram) {
    const auto& s = mail_stores();
    mails(s[0], 2);
    mails(s[1], 3);
    h.write("SYSTEM_F\\G_JU.txt", "old\r\n");
    // The script stops answering at the trash's second mail.
    int trash_parses = 0;
    auto parse = [&] {
        std::string request = files::read_first_line("SYSTEM_F\\CHECK.txt");
        if (request.rfind("GOMIBAKO", 0) == 0 && ++trash_parses == 2) return;
        auto lines = *files::read_lines(request);
        lines.emplace_back(exchange::kEndLine);
        h.write_lines("SYSTEM_F\\YOMITORI.txt", lines);
    };
    h.scripts().on("sam046.wsf", parse);
    h.run(D_SAIKOUTIKU_ON);
    EXPECT_TRUE(h.program_ended());
    EXPECT_EQ(records(s[0]).size(), 2u);
    EXPECT_EQ(records(s[1]), std::vector<std::string>{"20261201_100001.dxd"});
    EXPECT_FALSE(h.exists("SYSTEM_F\\G_JU.txt"));
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_EQ(h.boxes().shown().back().text, "スクリプトが停止しました。      \r\nプログラムを終了します。   "_sj);
}

TEST_F(RebuildTest, RefillRunsOneQueuedEventPerRow) {
    mails(mail_stores()[0], 3);
    std::vector<int> rows_seen;
    pf::handlers().set("TIMER1_TIMER", [&] { rows_seen.push_back(pf::form("MAINFORM").control("LIST3").count()); });
    for (int i = 0; i < 10; ++i) pf::event_queue().post("TIMER1_TIMER");
    h.run(D_SAIKOUTIKU_ON);
    EXPECT_EQ(rows_seen, (std::vector<int>{0, 1, 2}));
    // Seven ticks wait, behind them the progress window's load and first sizing and the main
    // window's focus.
    EXPECT_EQ(pf::event_queue().size(), 7u + 3u);
}

TEST_F(RebuildTest, RecordsThatDoNotMatchTheMailsStillGiveOneRowPerMail) {
    const auto& box = receive_box();
    mails(box, 3);
    h.write(std::string(box.record_folder) + "\\20261201_100001.dxd",
            "\"DATE: 2026/12/01 10:00:01\",\"FROM: a <a@example.jp>\",\"SUBJECT: first\",\" \"\r\n");
    h.write(std::string(box.record_folder) + "\\20261201_100003.dxd",
            "\"DATE: 2026/12/01 10:00:03\",\"FROM: c <c@example.jp>\",\"SUBJECT:  \",\" \"\r\n");
    h.write(std::string(box.record_folder) + "\\stray.dxd", "\"DATE: x\",\"FROM: z\",\"SUBJECT: stray\",\" \"\r\n");
    LIST_FOLDER_FILES(box.mail_folder, work_list("LIST2"));
    fill_receive_list_from_records({RowDate::Record, false});
    auto& list3 = pf::form("MAINFORM").control("LIST3");
    ASSERT_EQ(list3.count(), 3);
    EXPECT_EQ(trim(list3.item(0).substr(56, 60)), "first");
    EXPECT_EQ(list3.item(1).substr(119), "2026/12/01 10:00:02 ");  // no record: the receipt time
    EXPECT_EQ(trim(list3.item(2).substr(0, 50)), "c <c@example.jp>");
    for (const auto& row : list3.items()) EXPECT_FALSE(is_blank(row));
}

TEST_F(RebuildTest, ARebuildInsideAnotherParseKeepsTheRecordsItCannotRemake) {
    struct Case {
        const char* name;
        std::function<void()> rebuild;
        bool records;  // the receive box has records beforehand
    };
    std::vector<Case> cases{
        {"first-run rebuild", FIRST_RUN_REBUILD, false},
        {"database rebuild", D_SAIKOUTIKU_ON, true},
        {"store pass", [] { REBUILD_STORE_PASS(receive_box()); }, true},
        {"silent re-index", D_SAIK_AOUTO, true},
    };
    const MailStore& box = receive_box();
    mails(box, 2);
    for (const auto& c : cases) {
        std::filesystem::remove_all(files::resolve(box.record_folder));
        h.make_folder(box.record_folder);
        if (c.records) {
            for (const char* name : {"20261201_100001.dxd", "20261201_100002.dxd"}) {
                h.write(files::join(box.record_folder, name), "\"DATE: old\",\"FROM: old\",\"SUBJECT: kept\",\" \"\r\n");
            }
        }
        auto before = h.snapshot();
        // The rebuild runs while the main list's repair waits for its own parse.
        bool nested = false;
        h.scripts().while_waiting = [&](const std::string& script) {
            if (script != "sam047.wsf" || nested) return;
            nested = true;
            c.rebuild();
        };
        ParseResult outer = PARSE_MAIL(request_path(box.mail_folder, "20261201_100001.eml"), ParseCaller::MainListRepair);
        EXPECT_TRUE(nested) << c.name;
        EXPECT_TRUE(outer.complete()) << c.name;
        auto after = h.snapshot();
        for (const auto& [path, bytes] : before) {
            if (path.find("F_D_F") != std::string::npos) {
                EXPECT_EQ(after[path], bytes) << c.name << " " << path;
            }
        }
        EXPECT_EQ(records(box).size(), c.records ? 2u : 0u) << c.name;  // no empty record written
        h.scripts().while_waiting = nullptr;
        h.boxes().clear();
    }
}

TEST_F(RebuildTest, RedrawnCountsKeepTheDrawingListAsLongAsOneDrawing) {
    pf::Form& main = pf::form("MAINFORM");
    main.clear_drawing();
    DRAW_BOX_COUNTS();
    std::size_t one = main.drawing().size();
    for (int i = 0; i < 1000; ++i) {
        receive_list().add_item("row");
        DRAW_BOX_COUNTS();
    }
    EXPECT_EQ(main.drawing().size(), one);
    EXPECT_EQ(main.drawing().back().text, "[ 送信ボックス内メール数： 0 通 ]"_sj);
    EXPECT_EQ(main.drawing()[main.drawing().size() - 3].text, "[ 受信ボックス内メール数： 1000 通 ]"_sj);
}

}  // namespace
}  // namespace tv::store
