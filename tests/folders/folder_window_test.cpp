#include <gtest/gtest.h>

#include <algorithm>

#include "folder_program.h"

namespace tv::folders {
namespace {

const store::MailStore& priv() { return store::store_by_folder_no(2); }

Strings disabled_switches() {
    Strings out;
    for (const char* b : {"BUTTON75", "BUTTON76", "BUTTON77", "BUTTON78"}) {
        if (!FolderProgram::list("FORM16", b).enabled) out.push_back(b);
    }
    return out;
}

TEST(FolderMove, MailMovedToAFolderShowsThereWhenItOpens) {
    FolderProgram p;
    for (int i = 1; i <= 3; ++i) p.add_received(store::receive_box(), i);
    p.add_sent("SOUSINBOX", 1);
    p.add_received(job(), 5);
    p.start();
    p.choose("JOB_F");  // the folder's cache is written once
    pf::input::request_close(FolderProgram::form("FORM16"));
    p.h.settle();
    ASSERT_TRUE(p.h.exists(job().cache));
    auto in_system = FolderProgram::files_in("SYSTEM_F");
    EXPECT_NE(std::find(in_system.begin(), in_system.end(), "JOB_F_JU.txt"), in_system.end());  // named as the others

    pf::input::activate(FolderProgram::form("MAINFORM"));
    p.h.settle();
    p.h.platform.popup_menu.choose_next("IDO_JU_JOB");
    p.h.boxes().answer_next(MsgAnswer::Yes);
    pf::input::press_right_button(FolderProgram::form("MAINFORM"), 300, 118);  // the first row of LIST3
    p.h.settle();
    ASSERT_EQ(p.titles(), Strings{"移動"_sj});
    EXPECT_EQ(p.h.boxes().shown()[0].text,
              "選択したメールを「ＪＯＢフォルダ」に移動します。    "_sj + "\r\n" + "よろしいですか？    "_sj);
    EXPECT_EQ(FolderProgram::files_in("JUSINBOX"), (Strings{mail_name(2), mail_name(3)}));
    EXPECT_EQ(FolderProgram::files_in(job().mail_folder), (Strings{mail_name(1), mail_name(5)}));
    EXPECT_EQ(FolderProgram::files_in(job().record_folder), (Strings{record_name(1), record_name(5)}));
    EXPECT_EQ(FolderProgram::list("MAINFORM", "LIST3").selected(), 0);  // the mail that followed
    EXPECT_EQ(globals().FOLDER_NO, 1);

    p.h.boxes().clear();
    p.choose("JOB_F");
    EXPECT_EQ(p.subjects("FORM16", "LIST27"), (Strings{"rec 1", "rec 5"}));  // at its place by name
    EXPECT_EQ(FolderProgram::form("FORM16").caption, "ＪＯＢフォルダ"_sj);
    EXPECT_EQ(disabled_switches(), Strings{"BUTTON75"});
    EXPECT_EQ(p.h.read(job().cache), test::crlf(p.h.rows("FORM16", "LIST27")));
    EXPECT_TRUE(p.titles().empty());
    EXPECT_FALSE(FolderProgram::form("MAINFORM").visible);
    EXPECT_EQ(globals().FOLDER_WINDOW_OPEN, 1);

    // A sent mail goes the same way, without the keep-on-server rule.
    pf::input::request_close(FolderProgram::form("FORM16"));
    p.h.settle();
    globals().KEEP_ON_SERVER = "1";
    p.h.click_row("MAINFORM", "LIST1", 0);
    p.h.boxes().answer_next(MsgAnswer::Yes);
    p.run("BUTTON63_ON");
    EXPECT_TRUE(FolderProgram::files_in("SOUSINBOX").empty());
    EXPECT_EQ(FolderProgram::files_in(job().sent_folder), Strings{sent_name(1)});
}

TEST(FolderWindow, MenuItemWithTheWindowOpenShowsTheChosenFolder) {
    FolderProgram p;
    p.add_received(job(), 1);
    p.add_received(priv(), 2);
    p.add_sent(priv().sent_folder, 3);
    p.start();
    p.choose("JOB_F");
    ASSERT_EQ(p.subjects("FORM16", "LIST27"), Strings{"rec 1"});
    std::string job_cache = p.h.read(job().cache);
    // The menu belongs to the hidden main window; its handler runs all the same.
    p.run("PRIVATE_F_ON");
    EXPECT_EQ(globals().FOLDER_NO, 2);
    EXPECT_EQ(FolderProgram::form("FORM16").caption, "ＰＲＩＶＡＴＥフォルダ"_sj);
    EXPECT_EQ(p.subjects("FORM16", "LIST27"), Strings{"rec 2"});
    EXPECT_EQ(p.subjects("FORM16", "LIST28"), Strings{"sent 3"});
    EXPECT_EQ(disabled_switches(), Strings{"BUTTON76"});
    EXPECT_TRUE(FolderProgram::form("FORM16").enabled);
    // The close writes the cache of the folder shown.
    Strings shown = p.h.rows("FORM16", "LIST27");
    pf::input::request_close(FolderProgram::form("FORM16"));
    p.h.settle();
    EXPECT_EQ(p.h.read(job().cache), job_cache);
    EXPECT_EQ(p.h.read(priv().cache), test::crlf(shown));
    EXPECT_EQ(globals().FOLDER_WINDOW_OPEN, 0);
    EXPECT_TRUE(FolderProgram::form("MAINFORM").visible);
}

TEST(FolderWindow, FolderNumberOutsideTheFoldersTouchesNoStore) {
    FolderProgram p;
    p.add_received(job(), 1);
    p.start();
    auto before = p.h.snapshot();
    globals().FOLDER_NO = 0;  // as the trash window left it
    pf::forms().load("FORM16");
    FolderProgram::form("MAINFORM").visible = false;
    FolderProgram::form("MAINFORM").enabled = false;
    p.h.settle();
    EXPECT_FALSE(pf::forms().is_loaded("FORM16"));
    EXPECT_TRUE(FolderProgram::form("MAINFORM").visible);
    EXPECT_TRUE(FolderProgram::form("MAINFORM").enabled);
    EXPECT_EQ(globals().FOLDER_WINDOW_OPEN, 0);
    EXPECT_EQ(p.h.snapshot(), before);
}

TEST(FolderWindow, OpeningFromTheMenuWhileComposing) {
    FolderProgram p;
    p.start();
    pf::forms().load("FORM9");
    FolderProgram::form("FORM9").visible = true;
    globals().COMPOSING = 1;
    p.choose("HOBBY_F");
    EXPECT_EQ(FolderProgram::form("FORM16").caption,
              "ＨＯＢＢＹフォルダ ・・・・・・メールの作成中です。このウィンドウを閉じて作成を継続して下さい。"_sj);
    EXPECT_FALSE(FolderProgram::form("FORM9").visible);
    EXPECT_FALSE(FolderProgram::form("FORM16").topmost);
    EXPECT_EQ(disabled_switches(), Strings{"BUTTON77"});
    EXPECT_TRUE(p.h.exists("SYSTEM_F\\F_SAKU"));
    EXPECT_EQ(p.h.read("SYSTEM_F\\F_SAKU"), "");
    pf::input::request_close(FolderProgram::form("FORM16"));
    p.h.settle();
    EXPECT_EQ(p.h.read(store::store_by_folder_no(3).cache), "\r\n");  // an empty list is one empty line
    EXPECT_TRUE(FolderProgram::form("FORM9").visible);
    EXPECT_EQ(pf::forms().active(), "FORM9");
}

}  // namespace
}  // namespace tv::folders
