#include <gtest/gtest.h>

#include "common/text_file.h"
#include "store/progress_window.h"
#include "folder_program.h"

namespace tv::folders {
namespace {

const store::MailStore& priv() { return store::store_by_folder_no(2); }

Strings cache_subjects(const std::string& cache) {
    Strings out;
    auto lines = files::read_lines(cache);
    if (!lines) return out;
    for (const auto& line : *lines) out.push_back(trim(line.substr(52, 54)));
    return out;
}

TEST(FolderSwitching, EveryWayOutSavesTheListItLeaves) {
    FolderProgram p;
    for (int i = 1; i <= 2; ++i) p.add_received(trash(), i);
    p.add_received(job(), 3);
    p.add_received(priv(), 4);
    p.start();
    pf::forms().load("FORM9");  // a mail being written
    p.choose("GOMINAKO");

    files::remove_file(trash().cache);
    p.h.click("FORM8", "BUTTON83");
    EXPECT_EQ(cache_subjects(trash().cache), (Strings{"rec 1", "rec 2"}));
    EXPECT_FALSE(pf::forms().is_loaded("FORM8"));
    EXPECT_EQ(globals().TRASH_WINDOW_OPEN, 0);
    EXPECT_EQ(globals().FOLDER_WINDOW_OPEN, 1);
    EXPECT_EQ(p.subjects("FORM16", "LIST27"), Strings{"rec 3"});
    EXPECT_FALSE(FolderProgram::form("MAINFORM").visible);

    files::remove_file(job().cache);
    p.h.click("FORM16", "BUTTON76");  // switching folders saves nothing
    EXPECT_FALSE(p.h.exists(job().cache));
    EXPECT_EQ(globals().FOLDER_NO, 2);
    EXPECT_EQ(p.subjects("FORM16", "LIST27"), Strings{"rec 4"});

    files::remove_file(priv().cache);
    p.h.click("FORM16", "BUTTON81");
    EXPECT_EQ(cache_subjects(priv().cache), Strings{"rec 4"});
    EXPECT_FALSE(pf::forms().is_loaded("FORM16"));
    EXPECT_EQ(globals().FOLDER_WINDOW_OPEN, 0);
    EXPECT_EQ(globals().TRASH_WINDOW_OPEN, 1);
    EXPECT_TRUE(FolderProgram::form("FORM8").visible);
    EXPECT_FALSE(FolderProgram::form("MAINFORM").visible);
    EXPECT_FALSE(FolderProgram::form("FORM9").visible);

    files::remove_file(trash().cache);
    p.h.click("FORM8", "BUTTON87");
    EXPECT_EQ(cache_subjects(trash().cache), (Strings{"rec 1", "rec 2"}));
    EXPECT_TRUE(FolderProgram::form("MAINFORM").visible);
    EXPECT_TRUE(FolderProgram::form("MAINFORM").enabled);
    EXPECT_TRUE(FolderProgram::form("FORM9").visible);  // the mail being written comes back

    p.choose("ANOTHER_F");
    p.h.click("FORM16", "BUTTON82");
    EXPECT_EQ(p.h.read(store::store_by_folder_no(4).cache), "\r\n");
    EXPECT_FALSE(pf::forms().is_loaded("FORM16"));
    EXPECT_TRUE(FolderProgram::form("MAINFORM").enabled);
    EXPECT_EQ(pf::forms().active(), "FORM9");
}

TEST(FolderSwitching, OpenFlagGoesWhenCodeUnloadsTheWindow) {
    FolderProgram p;
    p.start();
    p.choose("JOB_F");
    ASSERT_EQ(globals().FOLDER_WINDOW_OPEN, 1);
    pf::forms().unload("FORM16");  // as the compose window's send does
    EXPECT_EQ(globals().FOLDER_WINDOW_OPEN, 0);
}

TEST(FolderWindow, DoubleClickOpensTheFolderMailInTheViewer) {
    FolderProgram p;
    p.add_received(job(), 1);
    p.add_sent(job().sent_folder, 2);
    p.start();
    p.choose("JOB_F");
    pf::input::double_click_row(FolderProgram::list("FORM16", "LIST28"), 0);
    p.h.settle();
    EXPECT_EQ(globals().VIEW_MODE, 6);
    EXPECT_EQ(globals().MAIL_FILE_NAME, sent_name(2));
    EXPECT_EQ(globals().SUBWIN_MAIL_FILE, sent_name(2));
    EXPECT_TRUE(pf::forms().is_loaded("FORM3"));
    EXPECT_FALSE(FolderProgram::form("FORM16").enabled);
    EXPECT_EQ(FolderProgram::list("FORM16", "LIST27").selected(), -1);
}

TEST(WindowMoves, BetweenFoldersAndIntoTheTrash) {
    FolderProgram p;
    for (int i = 1; i <= 3; ++i) p.add_received(job(), i);
    p.add_sent(job().sent_folder, 1);
    p.add_sent(job().sent_folder, 2);
    p.start();
    p.choose("JOB_F");
    p.h.click_row("FORM16", "LIST27", 1);
    auto before = p.h.snapshot();
    p.run("JOB_IDOU_JUSIN");  // onto the folder shown: nothing, not even a question
    EXPECT_TRUE(p.titles().empty());
    EXPECT_EQ(p.h.snapshot(), before);

    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.run("PRIV_IDOU_JUSIN");
    EXPECT_EQ(p.titles(), Strings{"移動"_sj});
    EXPECT_EQ(FolderProgram::files_in(job().mail_folder), (Strings{mail_name(1), mail_name(3)}));
    EXPECT_EQ(FolderProgram::files_in(job().record_folder), (Strings{record_name(1), record_name(3)}));
    EXPECT_EQ(FolderProgram::files_in(priv().mail_folder), Strings{mail_name(2)});
    EXPECT_EQ(FolderProgram::files_in(priv().record_folder), Strings{record_name(2)});
    EXPECT_EQ(p.subjects("FORM16", "LIST27"), (Strings{"rec 1", "rec 3"}));
    EXPECT_EQ(cache_subjects(job().cache), (Strings{"rec 1", "rec 3"}));
    EXPECT_EQ(FolderProgram::list("FORM16", "LIST27").selected(), 1);
    EXPECT_EQ(FolderProgram::count_line("FORM16", true), FolderProgram::count_text(true, 2));

    p.h.boxes().clear();
    p.h.click_row("FORM16", "LIST28", 0);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.run("GOMIBAKO_IDOU_SOU");
    EXPECT_EQ(p.h.boxes().shown()[0].text,
              "選択したメールを「ごみ箱」に移動します。    "_sj + "\r\n" + "よろしいですか？    "_sj);
    EXPECT_EQ(FolderProgram::files_in(trash().sent_folder), Strings{sent_name(1)});
    EXPECT_EQ(p.subjects("FORM16", "LIST28"), Strings{"sent 2"});
    EXPECT_EQ(FolderProgram::count_line("FORM16", false), FolderProgram::count_text(false, 1));

    // A listed sent file that is gone: nothing to copy, and the list shows what is there.
    files::remove_file(files::join(job().sent_folder, sent_name(2)));
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.run("HOBB_IDOU_SOUSIN");
    EXPECT_TRUE(p.h.rows("FORM16", "LIST28").empty());
    EXPECT_TRUE(FolderProgram::files_in(store::store_by_folder_no(3).sent_folder).empty());
    EXPECT_EQ(p.titles(), (Strings{"移動"_sj, "移動"_sj}));

    // A No changes nothing.
    p.h.click_row("FORM16", "LIST27", 0);
    before = p.h.snapshot();
    p.h.boxes().answer_next(MsgAnswer::No);
    p.run("GOMIBAKO_IDOU_JU");
    EXPECT_EQ(p.h.snapshot(), before);
}

TEST(WindowMoves, AMoveShowsTheListsEndADeleteKeepsItsFirstVisibleRow) {
    FolderProgram p;
    for (int i = 1; i <= 6; ++i) p.add_received(job(), i);
    p.start();
    p.choose("JOB_F");
    pf::Control& rows = FolderProgram::list("FORM16", "LIST27");
    rows.visible_rows = 2;  // a window two rows high
    rows.set_top_index(1);
    p.h.click_row("FORM16", "LIST27", 2);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM16", "BUTTON55");
    ASSERT_EQ(rows.count(), 5);
    EXPECT_EQ(rows.top_index(), 1);
    EXPECT_EQ(rows.selected(), 2);

    rows.set_top_index(0);
    p.h.click_row("FORM16", "LIST27", 2);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.run("PRIV_IDOU_JUSIN");
    ASSERT_EQ(rows.count(), 4);
    EXPECT_EQ(rows.top_index(), 2);  // its last two rows, the selected one among them
    EXPECT_EQ(rows.selected(), 2);
}

TEST(WindowMoves, RecordsNamedAfterOtherMailsStay) {
    FolderProgram p;
    p.add_received(job(), 1);
    p.add_mail(job(), 2);
    p.add_record(job(), "20261130_000000.dxd", "another mail's");
    p.add_received(store::receive_box(), 5);
    p.start();
    p.choose("JOB_F");  // repaired: the records do not pair with the mails
    ASSERT_EQ(p.subjects("FORM16", "LIST27"), (Strings{"mail 1", "mail 2"}));
    p.h.boxes().clear();

    // A move: mail 1 with its own record, never the record at its place.
    p.h.click_row("FORM16", "LIST27", 0);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.run("GOMIBAKO_IDOU_JU");
    EXPECT_EQ(FolderProgram::files_in(trash().record_folder), Strings{record_name(1)});
    EXPECT_EQ(p.subjects("FORM16", "LIST27"), Strings{"mail 2"});

    // A delete: mail 2 has no record, so none goes.
    p.h.click_row("FORM16", "LIST27", 0);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM16", "BUTTON55");
    EXPECT_TRUE(FolderProgram::files_in(job().mail_folder).empty());
    EXPECT_EQ(FolderProgram::files_in(job().record_folder), Strings{"20261130_000000.dxd"});

    // A return: the folder again holds a mail without its record beside another's record.
    p.add_mail(job(), 3);
    pf::input::request_close(FolderProgram::form("FORM16"));
    p.h.settle();
    p.choose("JOB_F");
    p.h.boxes().clear();
    p.h.click_row("FORM16", "LIST27", 0);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM16", "BUTTON54");
    EXPECT_EQ(FolderProgram::files_in("JUSINBOX"), (Strings{mail_name(3), mail_name(5)}));
    EXPECT_EQ(FolderProgram::files_in(job().record_folder), Strings{"20261130_000000.dxd"});
    EXPECT_FALSE(pf::forms().is_loaded("FORM16"));
    EXPECT_EQ(p.h.rows("MAINFORM", "LIST3").size(), 2u);
}

TEST(WindowReturns, InputAndCloseRequestsAtItsPumpsAreDropped) {
    FolderProgram p;
    for (int i = 1; i <= 2; ++i) p.add_received(job(), i);
    p.add_sent(job().sent_folder, 1);
    p.add_sent(job().sent_folder, 2);
    p.add_sent("SOUSINBOX", 3);
    p.start();
    p.choose("JOB_F");
    Strings received = p.h.rows("FORM16", "LIST27");
    p.h.click_row("FORM16", "LIST28", 0);
    auto close_folder_window = [&p] {
        p.h.platform.window_system.post_message([] { pf::input::request_close(FolderProgram::form("FORM16")); });
    };
    // The window closed while the question is up: the return is called off.
    p.h.boxes().while_shown = [&](const pf::MessageBoxRequest&) { close_folder_window(); };
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM16", "BUTTON58");
    EXPECT_FALSE(pf::forms().is_loaded("FORM16"));
    EXPECT_EQ(FolderProgram::files_in(job().sent_folder), (Strings{sent_name(1), sent_name(2)}));
    EXPECT_TRUE(FolderProgram::form("MAINFORM").enabled);
    EXPECT_FALSE(p.h.program_ended());

    pf::forms().load("FORM9");  // a mail being written, hidden by the folder window
    p.choose("JOB_F");
    p.h.boxes().clear();
    p.h.click_row("FORM16", "LIST28", 0);
    // While the question is up the user clicks "全て削除"; at the wait window's first pumps the
    // close box.
    p.h.boxes().while_shown = [](const pf::MessageBoxRequest&) {
        pf::input::click(FolderProgram::list("FORM16", "BUTTON60"));
    };
    pf::handlers().set("FORM5_START", [&] {
        store::FORM5_START();
        close_folder_window();
    });
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM16", "BUTTON58");
    EXPECT_EQ(p.titles(), Strings{"送信ボックスに戻す"_sj});
    EXPECT_EQ(FolderProgram::files_in("SOUSINBOX"), (Strings{sent_name(1), sent_name(3)}));
    EXPECT_EQ(FolderProgram::files_in(job().sent_folder), Strings{sent_name(2)});
    EXPECT_EQ(p.h.read(job().cache), test::crlf(received));
    EXPECT_FALSE(pf::forms().is_loaded("FORM16"));
    EXPECT_EQ(globals().FOLDER_WINDOW_OPEN, 0);
    EXPECT_TRUE(FolderProgram::form("MAINFORM").visible);
    EXPECT_TRUE(FolderProgram::form("MAINFORM").enabled);
    Strings sent;
    for (const auto& row : p.h.rows("MAINFORM", "LIST1")) sent.push_back(trim(row.substr(56, 60)));
    EXPECT_EQ(sent, (Strings{"sent 1", "sent 3"}));  // at its place among the box's mail
    EXPECT_TRUE(FolderProgram::form("FORM9").visible);
    EXPECT_EQ(pf::forms().active(), "FORM9");
    EXPECT_FALSE(p.h.program_ended());
}

TEST(FolderDelete, SentListRowsComeFromEachFileAlone) {
    FolderProgram p;
    p.h.write_lines(files::join(job().sent_folder, sent_name(1)),
                    {"DATE: 2026/12/01 20:00:01", "FROM: me", "TO: long@example.jp", "SUBJECT: with attachment", "BODY:",
                     "x", "FILE:C:/files/a.pdf"});
    p.h.write_lines(files::join(job().sent_folder, sent_name(2)), {"DATE: 2026/12/01 20:00:02", "FROM: me"});
    p.add_sent(job().sent_folder, 3);
    p.start();
    p.choose("JOB_F");
    auto check = [&p](const std::vector<std::pair<std::string, char>>& expected) {
        Strings rows = p.h.rows("FORM16", "LIST28");
        ASSERT_EQ(rows.size(), expected.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(trim(rows[i].substr(52, 54)), expected[i].first);
            EXPECT_EQ(rows[i][48], expected[i].second);
        }
        EXPECT_TRUE(trim(rows[1].substr(0, 46)).empty());  // the short file shows no recipient of another
    };
    check({{"with attachment", 'F'}, {"", ' '}, {"sent 3", ' '}});
    p.h.click_row("FORM16", "LIST28", 2);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM16", "BUTTON59");
    EXPECT_EQ(FolderProgram::files_in(job().sent_folder), (Strings{sent_name(1), sent_name(2)}));
    check({{"with attachment", 'F'}, {"", ' '}});
    EXPECT_EQ(FolderProgram::list("FORM16", "LIST28").selected(), 1);

    p.h.boxes().clear();
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM16", "BUTTON60");
    EXPECT_EQ(p.h.boxes().shown()[0].text,
              "ＪＯＢフォルダの全ての「送信メール」を削除します。    "_sj + "\r\n" + "よろしいですか？    "_sj);
    EXPECT_TRUE(FolderProgram::files_in(job().sent_folder).empty());
}

TEST(DeleteOptions, FilesAndTheirValues) {
    FolderProgram p;
    p.add_received(job(), 1);
    p.start();
    p.choose("JOB_F");
    ASSERT_EQ(p.h.read("SYSTEM_F\\F_SAKU"), "");  // created empty on opening
    p.h.click("FORM16", "CHECK9");
    EXPECT_EQ(p.h.read("SYSTEM_F\\F_SAKU"), "1" + std::string(19, ' ') + std::string(236, '\0'));
    EXPECT_EQ(globals().FOLDER_NO_DELETE_CONFIRM, "1");
    p.h.click("FORM16", "CHECK9");
    EXPECT_EQ(p.h.read("SYSTEM_F\\F_SAKU"), "0" + std::string(19, ' ') + std::string(236, '\0'));
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\G_SAKU"));  // the trash keeps its own option
    pf::input::request_close(FolderProgram::form("FORM16"));
    p.h.settle();

    struct Case { std::string value; bool ticked; bool asks; };
    for (const Case& c : {Case{"2", true, false}, Case{"-1", false, false}, Case{"x", false, true}}) {
        SCOPED_TRACE(c.value);
        p.h.write("SYSTEM_F\\F_SAKU", c.value + std::string(20 - c.value.size(), ' ') + std::string(236, '\0'));
        p.choose("JOB_F");
        EXPECT_EQ(FolderProgram::list("FORM16", "CHECK9").checked, c.ticked);
        p.h.boxes().clear();
        p.h.boxes().answer_next(MsgAnswer::No);
        p.h.click_row("FORM16", "LIST27", 0);
        p.h.click("FORM16", "BUTTON55");
        EXPECT_EQ(p.titles(), c.asks ? Strings{"削除"_sj} : Strings{});
        EXPECT_EQ(FolderProgram::files_in(job().mail_folder).size(), c.asks ? 1u : 0u);
        if (!c.asks) p.add_received(job(), 1);
        pf::input::request_close(FolderProgram::form("FORM16"));
        p.h.settle();
    }
}

}  // namespace
}  // namespace tv::folders
