// The attachments of the shown mail: the name an item stands for, opening and saving one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/exchange_files.h"
#include "harness/outside_folder.h"
#include "platform/input.h"
#include "save_folder.h"
#include "viewer/attachments.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

TEST(Attachments, TheNameOfAnItem) {
    struct Case { const char* item; const char* name; };
    for (auto c : {Case{"report(1).pdf  (2KB)", "report(1).pdf"}, Case{"doc.pdf ", "doc.pdf"},
                   Case{" a b.txt  (999byte)", "a b.txt"}, Case{"x", "x"}}) {
        EXPECT_EQ(attachment_name(c.item), c.name) << c.item;
    }
    EXPECT_EQ(received_attachment_path("a.pdf"), "TENPFIL\\a.pdf");
    for (const char* outside : {"..", ".", "..\\x", "a/b", ""}) EXPECT_EQ(received_attachment_path(outside), "") << outside;
}

struct AttachmentTest : ::testing::Test {
    ViewerProgram p{1};
    void SetUp() override {
        ::umask(022);  // the user's, which a saved file's mode follows
        p.parse_answers({"DATE: d", "FROM: f", "TO: t", "SUBJECT: s", "Body: b", "File: TENPFIL\\a.pdf",
                         "File: TENPFIL\\gone.txt", std::string(exchange::kEndLine)});
        p.h.write("TENPFIL\\a.pdf", "PDF");
        p.start();
        p.open_received(0);
        ASSERT_TRUE(p.loaded("FORM3"));
    }
    pf::Control& list() { return p.viewer().control("LIST4"); }
};

TEST_F(AttachmentTest, OpeningHandsTheFileToTheDesktop) {
    // Nothing selected: the button says so, the double click is silent.
    p.h.click("FORM3", "BUTTON23");
    EXPECT_EQ(p.titles(), Strings{"NOT SELECT"});
    EXPECT_EQ(p.h.boxes().shown()[0].text, "添付ファイルが選択されていません。    "_sj);
    pf::input::double_click_row(list(), 1);
    p.h.settle();
    EXPECT_EQ(p.titles(), (Strings{"NOT SELECT", "NOT EXIST FILE !"}));
    EXPECT_TRUE(pf::form("MAINFORM").visible);

    pf::input::double_click_row(list(), 0);
    p.h.settle();
    EXPECT_EQ(p.h.platform.shell.documents, Strings{"TENPFIL\\a.pdf"});
    EXPECT_FALSE(pf::form("MAINFORM").visible);
    EXPECT_FALSE(p.viewer().topmost);
    EXPECT_TRUE(p.viewer().enabled);
    EXPECT_EQ(p.viewer().pointer, pf::MousePointer::Arrow);
    // The compose window comes back with the main window when the viewer closes.
    pf::Form& compose = stand_in_window("FORM9", {});
    compose.hide();
    p.close_viewer();
    EXPECT_TRUE(pf::form("MAINFORM").visible && pf::form("MAINFORM").enabled);
    EXPECT_TRUE(compose.visible);
}

TEST_F(AttachmentTest, AFileNoProgramOpensIsTold) {
    p.h.platform.shell.extensions_without_program.insert("PDF");
    list().select(0);
    p.h.click("FORM3", "BUTTON23");
    EXPECT_EQ(p.titles(), Strings{"OPEN ERROR !"});
    EXPECT_TRUE(pf::form("MAINFORM").visible);
    EXPECT_TRUE(p.viewer().enabled);
}

TEST_F(AttachmentTest, SavingCopiesTheAttachment) {
    SaveFolder out;
    p.h.platform.dialogs.choose_next(out / "copy.pdf");
    list().select(0);
    p.h.click("FORM3", "BUTTON22");
    EXPECT_EQ(disk_read(out / "copy.pdf"), "PDF");
    const auto& shown = p.h.platform.dialogs.shown().at(0).file;
    EXPECT_EQ(shown.filters.at(0).pattern, "*.*");
    EXPECT_EQ(shown.start, "/a.pdf");  // neither a remembered folder nor a Desktop: the root folder
    EXPECT_EQ(p.h.read("SYSTEM_F\\BASYO_HO"), out.text() + "/\r\n");
    // The next save starts there; a missing attachment is told.
    p.h.platform.dialogs.choose_next(out / "gone.txt");
    list().select(1);
    p.h.click("FORM3", "BUTTON22");
    EXPECT_EQ(p.h.platform.dialogs.shown().at(1).file.start, out.text() + "/gone.txt");
    EXPECT_EQ(p.titles(), Strings{"NOT EXIST FILE !"});
    EXPECT_EQ(p.viewer().pointer, pf::MousePointer::Arrow);

    // A remembered folder too deep for the dialog: it starts on the Desktop, as a mail's save does.
    p.h.platform.system.desktop = out.text();
    p.h.write_lines("SYSTEM_F\\BASYO_HO", {"/" + std::string(300, 'd') + "/"});
    p.h.platform.dialogs.choose_next(std::nullopt);
    p.h.click("FORM3", "BUTTON22");
    EXPECT_EQ(p.h.platform.dialogs.shown().at(2).file.start, out.text() + "/gone.txt");
}

// A saved attachment gets the mode the user's umask gives (022 here), not the stored file's; a file
// the user chose to replace keeps its own.
TEST_F(AttachmentTest, ASavedAttachmentGetsTheModeOfTheUsersUmask) {
    SaveFolder out;
    ::chmod((p.h.folder / "TENPFIL" / "a.pdf").c_str(), 0600);
    std::ofstream(out / "kept.pdf") << "old";
    ::chmod((out / "kept.pdf").c_str(), 0640);
    list().select(0);
    for (const char* name : {"copy.pdf", "kept.pdf"}) {
        p.h.platform.dialogs.choose_next(out / name);
        p.h.click("FORM3", "BUTTON22");
        EXPECT_EQ(disk_read(out / name), "PDF") << name;
    }
    EXPECT_EQ(tv::test::mode_of(out / "copy.pdf"), 0644u);
    EXPECT_EQ(tv::test::mode_of(out / "kept.pdf"), 0640u);
    EXPECT_EQ(tv::test::mode_of(p.h.folder / "SYSTEM_F" / "BASYO_HO"), 0600u);  // the program's own stays private
}

// An attachment saved onto itself (a hard link of it chosen as the target: another name of a file
// of the program's) stays whole, and the user is told.
TEST_F(AttachmentTest, SavingAnAttachmentOntoItselfChangesNothing) {
    SaveFolder out;
    std::filesystem::create_hard_link(p.h.folder / "TENPFIL" / "a.pdf", out.path / "a.pdf");
    p.h.platform.dialogs.choose_next(out / "a.pdf");
    list().select(0);
    p.h.click("FORM3", "BUTTON22");
    EXPECT_EQ(p.h.read("TENPFIL\\a.pdf"), "PDF");
    EXPECT_EQ(p.titles(), Strings{"BAD FILE PATH !"});
    for (const auto& box : p.h.boxes().shown()) EXPECT_EQ(box.owner, "FORM3");
}

// The chosen name is the file written: another file whose name differs only in case stays.
TEST_F(AttachmentTest, SavingNextToACaseVariantLeavesItAlone) {
    SaveFolder out;
    std::ofstream(out / "notes.txt") << "mine";
    p.h.platform.dialogs.choose_next(out / "Notes.TXT");
    list().select(0);
    p.h.click("FORM3", "BUTTON22");
    EXPECT_EQ(disk_read(out / "notes.txt"), "mine");
    EXPECT_EQ(disk_read(out / "Notes.TXT"), "PDF");
}

}  // namespace
}  // namespace tv::viewer::test
