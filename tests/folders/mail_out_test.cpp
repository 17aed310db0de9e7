// Folder and trash mail saved as .eml, opened in the mail program and shown in the details window.
#include <gtest/gtest.h>

#include <filesystem>

#include "folder_program.h"
#include "viewer/save_folder.h"

namespace tv::folders {
namespace {

using viewer::test::disk_read;

struct MailOut : ::testing::Test {
    FolderProgram p;
    viewer::test::SaveFolder out;
    pf::headless::ScriptedDialogs& dialogs() { return p.h.platform.dialogs; }
    void SetUp() override {
        p.h.platform.system.desktop = out.text();
        p.add_received(job(), 1);
        p.add_sent(job().sent_folder, 2);
        p.add_received(trash(), 3);
        p.start();
    }
    // The details window of the first row of a window's list shows that row's mail in front of
    // the window, which comes back with its row selected when the details close.
    void expect_details_window_over(const std::string& window, const std::string& list, const std::string& mail) {
        p.h.click_row(window, list, 0);
        p.run("GOMI_F_SYOUSAI");
        EXPECT_EQ(globals().DETAIL_ROW_TEXT, p.h.rows(window, list)[0]);
        EXPECT_EQ(globals().MAIL_FILE_NAME, mail);
        EXPECT_TRUE(FolderProgram::form("FORM2").visible);
        EXPECT_TRUE(FolderProgram::form("FORM2").topmost);
        EXPECT_FALSE(FolderProgram::form(window).visible);
        EXPECT_FALSE(FolderProgram::form(window).enabled);
        pf::input::request_close(FolderProgram::form("FORM2"));
        p.h.settle();
        EXPECT_TRUE(FolderProgram::form(window).visible);
        EXPECT_TRUE(FolderProgram::form(window).enabled);
        EXPECT_EQ(FolderProgram::list(window, list).selected(), 0);
    }
};

TEST_F(MailOut, FolderMailSavedAsEml) {
    p.choose("JOB_F");
    p.h.click("FORM16", "BUTTON57");
    EXPECT_EQ(p.titles(), Strings{"NOT SELECT"});
    EXPECT_EQ(p.h.boxes().shown()[0].text, "受信メールが選択されていません。    "_sj);
    EXPECT_TRUE(dialogs().shown().empty());

    struct Case { const char* list; const char* button; int view_mode; std::string file; std::string proposed; };
    const std::vector<Case> cases{
        {"LIST27", "BUTTON57", 3, files::join(job().mail_folder, mail_name(1)), "ｒｅｃ　１.eml"_sj},
        {"LIST28", "BUTTON61", 4, files::join(job().sent_folder, sent_name(2)), "ｓｅｎｔ　２.eml"_sj},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        dialogs().clear();
        dialogs().choose_next(out / std::string(c.button) + ".eml");
        p.h.click_row("FORM16", c.list, 0);
        p.h.click("FORM16", c.button);
        ASSERT_EQ(dialogs().shown().size(), 1u);
        EXPECT_EQ(dialogs().shown()[0].file.owner, "FORM16");
        EXPECT_EQ(dialogs().shown()[0].file.start, out.text() + "/" + c.proposed);
        EXPECT_EQ(disk_read(out / std::string(c.button) + ".eml"), p.h.read(c.file));
        EXPECT_EQ(globals().VIEW_MODE, c.view_mode);
        EXPECT_EQ(globals().MAIL_FILE_NAME, files::split_folder_name(c.file).second);
    }
    EXPECT_EQ(globals().VIEW_SUBJECT, "sent 2");

    // A remembered folder too deep for the dialog: it starts on the Desktop.
    p.h.write_lines("SYSTEM_F\\BASYO_HO", {"/" + std::string(300, 'd') + "/"});
    dialogs().clear();
    dialogs().choose_next(std::nullopt);
    p.h.click("FORM16", "BUTTON61");
    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_EQ(dialogs().shown()[0].file.start, out.text() + "/" + "ｓｅｎｔ　２.eml"_sj);
}

TEST_F(MailOut, OpenedInTheMailProgramThroughACopy) {
    p.choose("JOB_F");
    p.h.click("FORM16", "BUTTON57");  // nothing selected yet
    p.h.boxes().clear();
    p.run("BUTTON71_ON");
    EXPECT_EQ(p.titles(), Strings{"NOT SELECT"});
    p.h.boxes().clear();

    p.h.click_row("FORM16", "LIST27", 0);
    p.run("BUTTON71_ON");
    std::string copy = "SYSTEM_F\\DUSEACT\\20261201_100001.eml";
    EXPECT_EQ(p.h.platform.shell.documents, Strings{copy});
    EXPECT_EQ(p.h.read(copy), p.h.read(files::join(job().mail_folder, mail_name(1))));
    EXPECT_TRUE(FolderProgram::form("FORM16").minimized);
    EXPECT_FALSE(FolderProgram::form("MAINFORM").visible);
    EXPECT_TRUE(p.titles().empty());

    // The mail gone from the folder: the copy of the earlier open is not opened in its place.
    FolderProgram::form("FORM16").set_window_state(pf::WindowState::Normal);
    files::remove_file(files::join(job().mail_folder, mail_name(1)));
    p.run("BUTTON71_ON");
    EXPECT_EQ(p.h.platform.shell.documents.size(), 1u);
    EXPECT_EQ(p.h.boxes().shown().size(), 1u);
    EXPECT_FALSE(FolderProgram::form("FORM16").minimized);

    // No program for .eml files: said, and the program goes on.
    pf::input::request_close(FolderProgram::form("FORM16"));
    p.h.settle();
    p.h.boxes().clear();
    p.h.platform.shell.types_without_program.insert("message/rfc822");
    p.choose("GOMINAKO");
    p.h.click_row("FORM8", "LIST10", 0);
    p.run("BUTTON70_ON");
    EXPECT_EQ(p.h.boxes().shown().size(), 1u);
    EXPECT_EQ(p.h.boxes().shown()[0].owner, "FORM8");
    EXPECT_FALSE(p.h.program_ended());
    EXPECT_FALSE(FolderProgram::form("FORM8").minimized);
}

TEST_F(MailOut, DetailsWindowStandsInForTheWindow) {
    p.choose("GOMINAKO");
    FolderProgram::list("FORM8", "LIST10").select(-1);
    p.run("GOMI_F_SYOUSAI");
    EXPECT_EQ(p.titles(), Strings{"NOT SELECT"});
    EXPECT_FALSE(pf::forms().is_loaded("FORM2"));

    expect_details_window_over("FORM8", "LIST10", mail_name(3));

    // Neither window open: nothing happens.
    pf::input::request_close(FolderProgram::form("FORM8"));
    p.h.settle();
    p.h.boxes().clear();
    p.run("GOMI_F_SYOUSAI");
    EXPECT_TRUE(p.titles().empty());
    EXPECT_FALSE(pf::forms().is_loaded("FORM2"));
}

TEST_F(MailOut, DetailsWindowStandsInForTheFolderWindow) {
    p.choose("JOB_F");
    expect_details_window_over("FORM16", "LIST27", mail_name(1));  // the folder's mail, not the trash's
    EXPECT_TRUE(p.titles().empty());
}

}  // namespace
}  // namespace tv::folders
