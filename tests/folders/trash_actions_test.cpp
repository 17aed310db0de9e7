#include <gtest/gtest.h>

#include "common/receive_list_row.h"
#include "common/text_file.h"
#include "folder_program.h"

namespace tv::folders {
namespace {

std::string row_subject(const std::string& row) { return trim(row.substr(52, 54)); }

TEST(TrashDelete, AfterARepairTheOtherRowsStay) {
    FolderProgram p;
    for (int i = 1; i <= 3; ++i) p.add_mail(trash(), i);
    p.add_record(trash(), record_name(1), "rec 1");
    p.add_record(trash(), record_name(3), "rec 3");
    p.start();
    p.choose("GOMINAKO");
    ASSERT_EQ(p.subjects("FORM8", "LIST10"), (Strings{"mail 1", "mail 2", "mail 3"}));
    ASSERT_FALSE(p.h.exists(trash().cache));  // the repair's cache does not survive
    p.h.boxes().clear();
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click_row("FORM8", "LIST10", 0);
    p.h.click("FORM8", "BUTTON14");
    EXPECT_EQ(p.titles(), Strings{"削除"_sj});
    // The chosen mail and the record named after it go; the row of every other mail stays.
    EXPECT_EQ(FolderProgram::files_in(trash().mail_folder), (Strings{mail_name(2), mail_name(3)}));
    EXPECT_EQ(FolderProgram::files_in(trash().record_folder), Strings{record_name(3)});
    EXPECT_EQ(p.subjects("FORM8", "LIST10"), (Strings{"mail 2", "mail 3"}));
    EXPECT_EQ(p.h.read(trash().cache), test::crlf(p.h.rows("FORM8", "LIST10")));
    EXPECT_EQ(FolderProgram::list("FORM8", "LIST10").selected(), 0);
    EXPECT_EQ(FolderProgram::count_line("FORM8", true), FolderProgram::count_text(true, 2));
    EXPECT_EQ(FolderProgram::list("FORM8", "LIST8").items(), (Strings{mail_name(2), mail_name(3)}));
}

TEST(TrashDelete, SentDeleteTakesTheChosenFileAfterAShortOne) {
    FolderProgram p;
    p.add_sent(trash().sent_folder, 1, "");  // no recipient line
    p.add_sent(trash().sent_folder, 2);
    p.add_sent(trash().sent_folder, 3);
    p.h.write("SYSTEM_F\\G_SAKU", std::string("1") + std::string(19, ' ') + std::string(236, '\0'));
    p.start();
    p.choose("GOMINAKO");
    EXPECT_TRUE(FolderProgram::list("FORM8", "CHECK8").checked);
    ASSERT_EQ(p.subjects("FORM8", "LIST11"), (Strings{"sent 1", "sent 2", "sent 3"}));
    p.h.click_row("FORM8", "LIST11", 1);
    p.h.click("FORM8", "BUTTON15");
    EXPECT_TRUE(p.titles().empty());  // the option skips the question
    EXPECT_EQ(FolderProgram::files_in(trash().sent_folder), (Strings{sent_name(1), sent_name(3)}));
    EXPECT_EQ(p.subjects("FORM8", "LIST11"), (Strings{"sent 1", "sent 3"}));
    EXPECT_EQ(FolderProgram::list("FORM8", "LIST11").selected(), 1);

    // Deleting the last row selects the new last row.
    p.h.click_row("FORM8", "LIST11", 1);
    p.h.click("FORM8", "BUTTON15");
    EXPECT_EQ(p.subjects("FORM8", "LIST11"), Strings{"sent 1"});
    EXPECT_EQ(FolderProgram::list("FORM8", "LIST11").selected(), 0);

    // "全て削除" always asks.
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM8", "BUTTON19");
    EXPECT_EQ(p.titles(), Strings{"全て削除"_sj});
    EXPECT_EQ(p.h.boxes().shown()[0].text,
              "ごみ箱の全ての「送信メール」を削除します。    "_sj + "\r\n" + "よろしいですか？    "_sj);
    EXPECT_TRUE(FolderProgram::files_in(trash().sent_folder).empty());
    EXPECT_EQ(FolderProgram::count_line("FORM8", false), FolderProgram::count_text(false, 0));
}

TEST(TrashDelete, AllReceivedMailGoesWithEveryRecordAndTheCache) {
    FolderProgram p;
    for (int i = 1; i <= 2; ++i) p.add_received(trash(), i);
    p.add_record(trash(), "20261130_000000.dxd", "stray");
    p.add_sent(trash().sent_folder, 1);
    p.start();
    p.choose("GOMINAKO");
    p.h.boxes().answer_next(MsgAnswer::No);
    p.h.click("FORM8", "BUTTON18");
    EXPECT_EQ(FolderProgram::files_in(trash().mail_folder).size(), 2u);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM8", "BUTTON18");
    EXPECT_TRUE(FolderProgram::files_in(trash().mail_folder).empty());
    EXPECT_TRUE(FolderProgram::files_in(trash().record_folder).empty());
    EXPECT_FALSE(p.h.exists(trash().cache));
    EXPECT_TRUE(p.h.rows("FORM8", "LIST10").empty());
    EXPECT_EQ(FolderProgram::files_in(trash().sent_folder), Strings{sent_name(1)});
    p.h.boxes().clear();
    p.h.click("FORM8", "BUTTON18");
    EXPECT_EQ(p.titles(), Strings{"NOT EXIST"});
}

TEST(TrashRestore, InputQueuedAtItsPumpsIsDropped) {
    FolderProgram p;
    for (int i = 1; i <= 2; ++i) p.add_received(trash(), i);
    p.add_received(store::receive_box(), 3);
    p.add_sent(trash().sent_folder, 1);
    p.start();
    p.choose("GOMINAKO");
    p.h.click_row("FORM8", "LIST10", 0);
    // While the question is shown the user clicks the delete button; the click waits in the queue.
    p.h.boxes().while_shown = [](const pf::MessageBoxRequest& box) {
        if (box.title == "受信ボックスに戻す"_sj) pf::input::click(FolderProgram::list("FORM8", "BUTTON14"));
    };
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM8", "BUTTON16");
    EXPECT_EQ(p.titles(), Strings{"受信ボックスに戻す"_sj});  // no delete question came
    EXPECT_EQ(FolderProgram::files_in(trash().mail_folder), Strings{mail_name(2)});
    EXPECT_EQ(FolderProgram::files_in(trash().record_folder), Strings{record_name(2)});
    EXPECT_EQ(FolderProgram::files_in("JUSINBOX"), (Strings{mail_name(1), mail_name(3)}));
    EXPECT_EQ(FolderProgram::files_in("SYSTEM_F\\F_D_F"), (Strings{record_name(1), record_name(3)}));
    auto cached = files::read_lines(trash().cache);
    ASSERT_TRUE(cached && cached->size() == 1u);
    EXPECT_EQ(row_subject(cached->front()), "rec 2");
    EXPECT_FALSE(pf::forms().is_loaded("FORM8"));
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_EQ(globals().TRASH_WINDOW_OPEN, 0);
    EXPECT_EQ(globals().MAINFORM_RERUN, 1);
    EXPECT_TRUE(FolderProgram::form("MAINFORM").visible);
    EXPECT_TRUE(FolderProgram::form("MAINFORM").enabled);
    Strings received;
    for (const auto& row : p.h.rows("MAINFORM", "LIST3")) received.push_back(trim(row.substr(56, 60)));
    EXPECT_EQ(received, (Strings{"rec 1", "rec 3"}));  // at its place among the box's mail

    // The sent restore puts the file back into the send box, listed at its place.
    p.h.boxes().while_shown = nullptr;
    p.choose("GOMINAKO");
    p.h.click_row("FORM8", "LIST11", 0);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM8", "BUTTON17");
    EXPECT_EQ(FolderProgram::files_in("SOUSINBOX"), Strings{sent_name(1)});
    EXPECT_EQ(p.h.rows("MAINFORM", "LIST1").size(), 1u);
    EXPECT_FALSE(pf::forms().is_loaded("FORM8"));
    EXPECT_TRUE(FolderProgram::form("MAINFORM").enabled);
}

TEST(TrashRestore, TheRowComesBackAtItsPlaceAndTheOthersKeepTheirMarks) {
    struct Case { int folder_no; const char* item; const char* window; const char* list; const char* button; };
    for (const Case& c : {Case{0, "GOMINAKO", "FORM8", "LIST10", "BUTTON16"}, Case{1, "JOB_F", "FORM16", "LIST27", "BUTTON54"}}) {
        SCOPED_TRACE(c.window);
        FolderProgram p;
        p.add_received(store::receive_box(), 1);
        p.add_received(store::store_by_folder_no(c.folder_no), 2);
        p.add_received(store::receive_box(), 3);
        // The receive box as a fetch left it: both mails unread.
        Strings unread;
        for (int i : {1, 3}) {
            std::string n = std::to_string(i);
            unread.push_back(build_receive_row("s" + n, " ", UNREAD_MARK() + "rec " + n, "2026/12/01 10:00:0" + n));
        }
        p.h.write_lines("SYSTEM_F\\F_JU.txt", unread);
        p.start();
        ASSERT_EQ(p.h.rows("MAINFORM", "LIST3"), unread);
        p.choose(c.item);
        p.h.click_row(c.window, c.list, 0);
        p.h.boxes().answer_next(MsgAnswer::Yes);
        p.h.click(c.window, c.button);
        Strings rows = p.h.rows("MAINFORM", "LIST3");
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0], unread[0]);
        EXPECT_EQ(trim(rows[1].substr(56, 60)), "rec 2");
        EXPECT_EQ(rows[2], unread[1]);
        EXPECT_EQ(p.h.read("SYSTEM_F\\F_JU.txt"), test::crlf(rows));
        EXPECT_EQ(FolderProgram::list("MAINFORM", "LIST2").items(), (Strings{mail_name(1), mail_name(2), mail_name(3)}));
    }
}

TEST(FailedCopy, RestoreAndMoveToAFolderKeepTheirSource) {
    FolderProgram p;
    p.add_received(trash(), 1);
    p.add_received(store::receive_box(), 2);
    p.start();
    // A folder of the mail's name blocks each copy.
    p.h.make_folder("JUSINBOX\\" + mail_name(1));
    p.h.make_folder(files::join(job().mail_folder, mail_name(2)));
    p.choose("GOMINAKO");
    p.h.click_row("FORM8", "LIST10", 0);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.h.click("FORM8", "BUTTON16");
    ASSERT_EQ(p.titles(), (Strings{"受信ボックスに戻す"_sj, "NOT MOVED !"}));
    EXPECT_EQ(p.h.boxes().shown()[1].text, "メールを「受信ボックス」に移動できませんでした。    "_sj + "\r\n\r\n" +
                                               "メールは元の場所に残っています。    "_sj);
    EXPECT_EQ(FolderProgram::files_in(trash().mail_folder), Strings{mail_name(1)});
    EXPECT_EQ(FolderProgram::files_in(trash().record_folder), Strings{record_name(1)});
    EXPECT_EQ(p.subjects("FORM8", "LIST10"), Strings{"rec 1"});
    EXPECT_TRUE(FolderProgram::form("FORM8").visible);
    EXPECT_TRUE(FolderProgram::form("FORM8").enabled);
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_FALSE(FolderProgram::form("MAINFORM").visible);
    EXPECT_FALSE(p.h.program_ended());

    pf::input::request_close(FolderProgram::form("FORM8"));
    p.h.settle();
    p.h.boxes().clear();
    p.h.click_row("MAINFORM", "LIST3", 0);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.run("BUTTON62_ON");
    ASSERT_EQ(p.titles(), (Strings{"移動"_sj, "NOT MOVED !"}));
    EXPECT_EQ(p.h.boxes().shown()[1].text.substr(0, 30), "メールを「ＪＯＢフォルダ」に移"_sj);
    EXPECT_EQ(FolderProgram::files_in("JUSINBOX"), Strings{mail_name(2)});
    EXPECT_EQ(FolderProgram::files_in("SYSTEM_F\\F_D_F"), Strings{record_name(2)});
    EXPECT_EQ(p.h.rows("MAINFORM", "LIST3").size(), 1u);
    EXPECT_TRUE(FolderProgram::files_in(job().record_folder).empty());
}

}  // namespace
}  // namespace tv::folders
