#include <gtest/gtest.h>

#include <filesystem>

#include "common/exchange_files.h"
#include "common/text_file.h"
#include "folder_program.h"

namespace tv::folders {
namespace {

// A cache row whose subject column reads `subject`.
std::string cache_row(const std::string& subject) {
    auto pad = [](std::string s, std::size_t n) { return s.append(n - s.size(), ' '); };
    return pad("cached sender", 46) + "  " + " " + "   " + pad(subject, 54) + "   " + pad("2026/12/01 10:00:00", 20);
}

int cache_lines(const std::string& cache) {
    auto lines = files::read_lines(cache);
    return lines ? static_cast<int>(lines->size()) : -1;
}

struct LoadCase {
    const char* name;
    std::vector<int> mails;
    std::vector<int> records;  // records named after these mail numbers
    int cached_rows;           // -1: no cache
    Strings rows;              // subjects shown
    bool repaired;
    int cache_lines_after;     // -1: no cache afterwards
};

TEST(TrashLoad, DecisionOverMailsRecordsAndCache) {
    const std::vector<LoadCase> cases{
        {"no mail: the cache is left alone", {}, {}, 2, {}, false, 2},
        {"cache agrees with mails and records", {1, 2, 3}, {1, 2, 3}, 3, {"cache 1", "cache 2", "cache 3"}, false, 3},
        {"cache one row short", {1, 2, 3}, {1, 2, 3}, 2, {"rec 1", "rec 2", "rec 3"}, false, 3},
        {"no cache", {1, 2, 3}, {1, 2, 3}, -1, {"rec 1", "rec 2", "rec 3"}, false, 3},
        {"a record missing", {1, 2, 3}, {1, 2}, -1, {"mail 1", "mail 2", "mail 3"}, true, -1},
        {"records named after other mails", {1, 2}, {1, 3}, -1, {"mail 1", "mail 2"}, true, -1},
        {"a cache of as many rows is trusted by its count", {1, 2}, {1, 3}, 2, {"cache 1", "cache 2"}, false, 2},
        {"a cache as long as the mails but not the records", {1, 2, 3}, {1, 2}, 3, {"mail 1", "mail 2", "mail 3"}, true, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderProgram p;
        for (int i : c.mails) p.add_mail(trash(), i);
        for (int i : c.records) p.add_record(trash(), record_name(i), "rec " + std::to_string(i));
        Strings cached;
        for (int i = 1; i <= c.cached_rows; ++i) cached.push_back(cache_row("cache " + std::to_string(i)));
        if (c.cached_rows >= 0) p.h.write_lines(trash().cache, cached);
        p.start();
        int parses = p.h.scripts().starts("sam047.wsf");
        p.choose("GOMINAKO");

        EXPECT_EQ(p.subjects("FORM8", "LIST10"), c.rows);
        EXPECT_EQ(p.titles(), c.repaired ? Strings{"データベースの再構築"_sj} : Strings{});
        EXPECT_EQ(p.h.scripts().starts("sam047.wsf") - parses, c.repaired ? static_cast<int>(c.mails.size()) : 0);
        EXPECT_EQ(cache_lines(trash().cache), c.cache_lines_after);
        if (c.cache_lines_after > 0) {
            EXPECT_EQ(p.h.read(trash().cache), test::crlf(c.mails.empty() ? cached : p.h.rows("FORM8", "LIST10")));
        }
        EXPECT_EQ(FolderProgram::count_line("FORM8", true), FolderProgram::count_text(true, static_cast<int>(c.rows.size())));
        Strings records;
        for (int i : c.records) records.push_back(record_name(i));
        EXPECT_EQ(FolderProgram::files_in(trash().record_folder), records);  // the repair writes no record
        EXPECT_TRUE(FolderProgram::form("FORM8").enabled);
        EXPECT_FALSE(FolderProgram::form("MAINFORM").visible);
        EXPECT_FALSE(FolderProgram::form("MAINFORM").enabled);
        EXPECT_EQ(globals().TRASH_WINDOW_OPEN, 1);
    }
}

TEST(TrashLoad, DamagedRecordSaysSoAndBringsTheMainWindowBack) {
    struct Case { int folder_no; const char* item; const char* window; std::string title; std::string place; };
    const std::vector<Case> cases{
        {0, "GOMINAKO", "FORM8", "CAUTION !", "ごみ箱"_sj},
        {1, "JOB_F", "FORM16", "CAUTION !  err.=, 54", "ＪＯＢフォルダ"_sj},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        FolderProgram p;
        const store::MailStore& s = store::store_by_folder_no(c.folder_no);
        p.add_received(s, 1);
        p.add_mail(s, 2);
        p.h.write(files::join(s.record_folder, record_name(2)), "\"DATE: x\",\"FROM: y\"\r\n");  // two items
        p.start();
        pf::forms().load("FORM9");  // a mail being written, which the window hides
        FolderProgram::form("FORM9").visible = true;
        p.choose(c.item);
        ASSERT_EQ(p.titles(), Strings{c.title});
        EXPECT_EQ(p.h.boxes().shown()[0].text, "データベースに問題が発生しました。"_sj + "\r\n" +
                                                   "データベースの再構築を実行して再度「"_sj + c.place +
                                                   "」を表示して下さい。   "_sj);
        EXPECT_FALSE(pf::forms().is_loaded(c.window));
        EXPECT_TRUE(FolderProgram::form("MAINFORM").visible);
        EXPECT_TRUE(FolderProgram::form("MAINFORM").enabled);
        EXPECT_TRUE(FolderProgram::form("FORM9").visible);
        EXPECT_EQ(globals().TRASH_WINDOW_OPEN + globals().FOLDER_WINDOW_OPEN, 0);
        EXPECT_FALSE(p.h.exists(s.cache));
    }
}

TEST(TrashLoad, RepairGoesOnWhenAResultNeverCompletes) {
    FolderProgram p;
    for (int i = 1; i <= 3; ++i) p.add_mail(trash(), i);
    p.add_record(trash(), record_name(1), "rec 1");
    // The script writes the head of its result and never the end line.
    p.h.scripts().on("sam047.wsf", [&p] {
        std::string request = files::read_first_line(exchange::kRequestFile);
        auto lines = files::read_lines(request);
        p.h.write_lines(exchange::kParseResultFile, Strings(lines->begin(), lines->begin() + 4));
    });
    p.start();
    p.choose("GOMINAKO");
    EXPECT_EQ(p.subjects("FORM8", "LIST10"), (Strings{"mail 1", "mail 2", "mail 3"}));
    EXPECT_EQ(p.titles(), Strings{"データベースの再構築"_sj});
    EXPECT_TRUE(FolderProgram::form("FORM8").enabled);
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
}

TEST(TrashLoad, RepairCleansEachMailAsARebuildWouldUnderItsProgressWindow) {
    FolderProgram p;
    p.h.add_mail(trash().mail_folder, mail_name(1), "2026/12/01 10:00:01", "\"Sato, Ken\" <ks@example.jp>",
                 "\"Hello, world\"");
    p.h.add_mail(trash().mail_folder, mail_name(2), "2026/12/01 10:00:02", "Ken \\(Sales\\) <ks@example.jp>",
                 "say \"hi\" now");
    p.add_record(trash(), "20261130_000000.dxd", "another mail's");  // so that the first start rebuilds nothing
    p.start();
    // What the progress window shows while each mail is read.
    struct Seen { bool visible, topmost; int width; std::string caption; Strings texts; };
    std::vector<Seen> seen;
    p.h.scripts().while_waiting = [&seen](const std::string&) {
        if (!pf::forms().is_loaded("FORM5")) return seen.push_back({});
        const pf::Form& f = pf::form("FORM5");
        Strings texts;
        for (const auto& op : f.drawing()) {
            if (op.kind == pf::DrawOp::Kind::Text && op.color == pf::Rgb{128, 128, 128}) texts.push_back(op.text);
        }
        seen.push_back({f.visible, f.topmost, f.width, f.caption, texts});
    };
    p.choose("GOMINAKO");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].visible);
    EXPECT_TRUE(seen[0].topmost);
    EXPECT_EQ(seen[0].width, 475);  // the trash shows it smaller until its own size comes back
    EXPECT_EQ(seen[0].caption, "データベースの再構築"_sj);
    EXPECT_EQ(seen[0].texts, (Strings{"タルベノールメーラー Ver.2.12"_sj, "*** DataBase 再構築中 ***"_sj,
                                      "Please Wait ･････････"_sj}));
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_TRUE(FolderProgram::form("FORM8").topmost);

    Strings repaired = p.h.rows("FORM8", "LIST10");
    ASSERT_EQ(repaired.size(), 2u);
    EXPECT_EQ(trim(repaired[0].substr(0, 46)), "Sato. Ken <ks@example.jp>");
    EXPECT_EQ(trim(repaired[0].substr(52, 54)), "Hello world");
    EXPECT_EQ(trim(repaired[1].substr(0, 46)), "<ks@example.jp>");
    EXPECT_EQ(trim(repaired[1].substr(52, 54)), "say ･hi･ now"_sj);
    // The database rebuild writes the records; the rows made from them are the repair's rows.
    pf::input::request_close(FolderProgram::form("FORM8"));
    p.h.settle();
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("MAINFORM", "D_SAIKOUTIKU");
    p.h.boxes().clear();
    p.choose("GOMINAKO");
    EXPECT_TRUE(p.titles().empty());
    EXPECT_EQ(p.h.rows("FORM8", "LIST10"), repaired);
}

TEST(TrashLoad, ItsFoldersAreMadeWhenTheTrashHoldsMail) {
    FolderProgram p;
    p.start();
    std::filesystem::remove_all(files::resolve("GOMIBAKO\\SOUSIN_FO"));
    p.choose("GOMINAKO");  // no received mail: nothing is made
    EXPECT_FALSE(files::folder_exists("GOMIBAKO\\SOUSIN_FO"));
    pf::input::request_close(FolderProgram::form("FORM8"));
    p.h.settle();
    p.add_received(trash(), 1);
    p.choose("GOMINAKO");
    EXPECT_TRUE(files::folder_exists("GOMIBAKO\\SOUSIN_FO"));
    EXPECT_EQ(p.subjects("FORM8", "LIST10"), Strings{"rec 1"});
}

TEST(TrashWindow, AReplyFromItsMenuOpensInFrontOfIt) {
    struct Case { const char* item; const char* window; const char* list; const char* reply; };
    for (const Case& c : {Case{"GOMINAKO", "FORM8", "LIST10", "GOMIBAKO_HENSIN"},
                          Case{"JOB_F", "FORM16", "LIST27", "FORDA_HENSIN"}}) {
        SCOPED_TRACE(c.window);
        FolderProgram p;
        p.add_received(trash(), 1);
        p.add_mail(job(), 1);  // with another mail's record: the repair leaves the folder window topmost
        p.add_record(job(), "20261130_000000.dxd", "another mail's");
        p.start();
        p.choose(c.item);
        ASSERT_TRUE(FolderProgram::form(c.window).topmost);
        p.h.click_row(c.window, c.list, 0);
        p.run(c.reply);
        ASSERT_TRUE(pf::forms().is_loaded("FORM9"));
        EXPECT_TRUE(FolderProgram::form("FORM9").visible);
        EXPECT_FALSE(FolderProgram::form(c.window).topmost);
    }
}

TEST(TrashWindow, CloseWritesTheRowsAsShownAndBringsBackTheMainWindow) {
    FolderProgram p;
    for (int i = 1; i <= 2; ++i) p.add_received(trash(), i);
    p.start();
    pf::forms().load("FORM9");
    p.choose("GOMINAKO");
    EXPECT_TRUE(FolderProgram::form("FORM8").topmost);
    EXPECT_FALSE(FolderProgram::form("FORM9").visible);
    Strings shown = p.h.rows("FORM8", "LIST10");
    pf::input::request_close(FolderProgram::form("FORM8"));
    p.h.settle();
    EXPECT_EQ(p.h.read(trash().cache), test::crlf(shown));
    EXPECT_FALSE(pf::forms().is_loaded("FORM8"));
    EXPECT_EQ(globals().TRASH_WINDOW_OPEN, 0);
    EXPECT_TRUE(FolderProgram::form("MAINFORM").visible);
    EXPECT_TRUE(FolderProgram::form("MAINFORM").enabled);
    EXPECT_TRUE(FolderProgram::form("FORM9").visible);  // the mail being written comes back
    EXPECT_EQ(pf::forms().active(), "FORM9");
}

TEST(TrashWindow, DoubleClickWithTheChildSlotTakenOpensNothing) {
    FolderProgram p;
    p.add_received(trash(), 1);
    p.add_sent(trash().sent_folder, 1);
    p.start();
    p.choose("BUTTON80");
    pf::forms().take_child_slot("FORM4");  // the account window holds the slot
    pf::input::double_click_row(FolderProgram::list("FORM8", "LIST11"), 0);
    p.h.settle();
    EXPECT_EQ(globals().VIEW_MODE, 4);
    EXPECT_EQ(globals().MAIL_FILE_NAME, sent_name(1));
    EXPECT_EQ(globals().TRASH_SENT_VIEW_ROW, 0);
    EXPECT_EQ(globals().TRASH_RECV_VIEW_ROW, -1);
    EXPECT_FALSE(pf::forms().is_loaded("FORM3"));
    EXPECT_TRUE(FolderProgram::form("FORM8").enabled);
    EXPECT_EQ(FolderProgram::list("FORM8", "LIST10").selected(), -1);  // the click cleared it

    pf::forms().free_child_slot("FORM4");
    pf::input::double_click_row(FolderProgram::list("FORM8", "LIST10"), 0);
    p.h.settle();
    EXPECT_EQ(globals().VIEW_MODE, 3);
    EXPECT_EQ(globals().TRASH_RECV_VIEW_ROW, 0);
    EXPECT_TRUE(pf::forms().is_loaded("FORM3"));
    EXPECT_FALSE(FolderProgram::form("FORM8").enabled);
}

}  // namespace
}  // namespace tv::folders
