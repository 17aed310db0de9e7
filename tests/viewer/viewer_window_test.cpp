// The viewer window: opening a mail of the main lists, its set-up, the print-font choice and the
// way back.
#include <gtest/gtest.h>

#include "common/receive_list_row.h"
#include "store/receive_list.h"
#include "viewer/print_font.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

TEST(ViewerWindow, DoubleClickOpensTheReceivedMailAndClearsItsMark) {
    ViewerProgram p;
    p.start();
    pf::Control& list = store::receive_list();
    ASSERT_EQ(list.count(), 3);
    ASSERT_TRUE(list.item(0).find(UNREAD_MARK()) != std::string::npos);
    p.open_received(0);

    ASSERT_TRUE(p.loaded("FORM3"));
    pf::Form& v = p.viewer();
    EXPECT_EQ(pf::forms().child_slot(), "FORM3");
    EXPECT_TRUE(v.visible && v.enabled && v.topmost);
    EXPECT_EQ(v.caption, "mail 1  *** 受信メール ***"_sj);
    EXPECT_EQ(p.text("EDIT15"), "s1 <s1@example.jp>");
    EXPECT_EQ(p.text("EDIT22"), "mail 1");
    EXPECT_EQ(p.text("EDIT8"), "hello\r\n");
    // The date shown is the receipt time of the file name; the mail's own date is what printing uses.
    EXPECT_TRUE(p.drawn_raised("FORM3", 25, 35, "日　時 ：  2026/12/01 10:00:01"_sj));
    EXPECT_TRUE(p.drawn_raised("FORM3", 25, 55, "宛　先 ：  me@example.jp"_sj));
    EXPECT_TRUE(p.drawn_raised("FORM3", 475, 566, "* 印刷時のフォントサイズ ： "_sj));
    EXPECT_EQ(globals().VIEW_DATE, "Tue, 1 Dec 2026 10:00:01");
    EXPECT_EQ(globals().VIEW_TO, "me@example.jp");
    EXPECT_EQ(globals().VIEW_SUBJECT, fit_width("mail 1", 130));
    EXPECT_EQ(p.h.read("SYSTEM_F\\CHECK.txt"), "JUSINBOX\\" + mail_name(1) + "\r\n");
    // Without attachments the attachment buttons are off; the step buttons show in the box views.
    EXPECT_FALSE(v.control("BUTTON22").enabled);
    EXPECT_FALSE(v.control("BUTTON23").enabled);
    EXPECT_TRUE(v.control("BUTTON88").visible && v.control("BUTTON89").visible);
    EXPECT_EQ(v.focused, "EDIT8");

    pf::Form& main = pf::form("MAINFORM");
    EXPECT_FALSE(main.enabled);
    EXPECT_EQ(main.pointer, pf::MousePointer::Arrow);
    // The row lost its mark, in the list and in its cache, and stays selected.
    EXPECT_EQ(list.item(0).find(UNREAD_MARK()), std::string::npos);
    EXPECT_EQ(list.selected(), 0);
    EXPECT_EQ(p.h.read("SYSTEM_F\\F_JU.txt").find(UNREAD_MARK()), std::string::npos);
    EXPECT_EQ(globals().VIEW_RECV_ROW, 0);
    EXPECT_EQ(globals().VIEW_SENT_ROW, -1);

    p.close_viewer();
    EXPECT_FALSE(p.loaded("FORM3"));
    EXPECT_TRUE(pf::forms().child_slot().empty());
    EXPECT_TRUE(main.enabled && main.visible);
}

TEST(ViewerWindow, OpenersWithoutAMailDoNothing) {
    ViewerProgram p;
    p.start();
    p.double_click("LIST3", 5);  // below the last row: no selection
    EXPECT_FALSE(p.loaded("FORM3"));
    // The File menu's "開く" with nothing selected says so.
    p.h.click("MAINFORM", "HIRAKU");
    EXPECT_EQ(p.titles(), Strings{"NOT SELECT"});
    EXPECT_EQ(p.h.boxes().shown()[0].text, "メールが選択されていません。    "_sj);
    EXPECT_FALSE(p.loaded("FORM3"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
}

TEST(ViewerWindow, AnOpenerFindingTheSlotTakenChangesNothing) {
    ViewerProgram p;
    p.start();
    pf::forms().take_child_slot("FORM4");
    std::string row = store::receive_list().item(0);
    p.open_received(0);
    EXPECT_FALSE(p.loaded("FORM3"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_EQ(store::receive_list().item(0), row);  // the unread mark stays
}

TEST(ViewerWindow, WithoutTheMailComponentTheProgramEndsBeforeTheViewerShows) {
    ViewerProgram p;
    p.start();
    p.h.platform.system.component_missing = true;
    bool shown = false;
    p.h.boxes().while_shown = [&](const auto&) { shown = p.loaded("FORM3") && p.viewer().visible; };
    p.open_received(0);
    EXPECT_TRUE(p.h.program_ended());
    EXPECT_EQ(p.titles(), Strings{"NOT EXIST MAIL COMPONENT !"});
    EXPECT_FALSE(shown);
}

TEST(ViewerWindow, ClickingOneListClearsTheOthersSelection) {
    ViewerProgram p;
    p.start();
    pf::Control& received = store::receive_list();
    pf::Control& sent = p.control("MAINFORM", "LIST1");
    p.h.click_row("MAINFORM", "LIST3", 1);
    p.h.click_row("MAINFORM", "LIST1", 2);
    EXPECT_EQ(received.selected(), -1);
    EXPECT_EQ(sent.selected(), 2);
    p.h.click_row("MAINFORM", "LIST3", 0);
    EXPECT_EQ(sent.selected(), -1);
    // With both selected (as a right click leaves them) the File menu opens the received mail.
    sent.select(1);
    p.h.click("MAINFORM", "HIRAKU");
    ASSERT_TRUE(p.loaded("FORM3"));
    EXPECT_EQ(globals().VIEW_MODE, 1);
    EXPECT_EQ(globals().MAIL_FILE_NAME, mail_name(1));
}

TEST(ViewerWindow, PrintFontChoiceIsKeptInItsFile) {
    ViewerProgram p;
    p.start();
    p.open_received(1);
    // A first viewer: " 小" chosen, and an empty file left behind.
    EXPECT_TRUE(p.viewer().control("RADIO9").checked);
    EXPECT_EQ(p.h.read("SYSTEM_F\\INS_FON"), "");
    EXPECT_EQ(globals().PRINT_FONT_SIZE, "8");
    p.h.click("FORM3", "RADIO11");
    EXPECT_EQ(p.h.read("SYSTEM_F\\INS_FON"), "12" + std::string(18, ' ') + std::string(236, '\0'));
    EXPECT_FALSE(p.viewer().control("RADIO9").checked);
    p.close_viewer();
    p.open_received(1);
    EXPECT_TRUE(p.viewer().control("RADIO11").checked);
    EXPECT_EQ(trim(globals().PRINT_FONT_SIZE), "12");
    // Another value in the file selects none.
    p.close_viewer();
    write_print_font_size("9");
    p.open_received(1);
    for (const char* radio : {"RADIO9", "RADIO10", "RADIO11"}) EXPECT_FALSE(p.viewer().control(radio).checked) << radio;
}

TEST(ViewerWindow, ClosingReturnsToTheWindowTheMailCameFrom) {
    ViewerProgram p;
    p.start();
    pf::Form& main = pf::form("MAINFORM");
    // A compose window that is open is hidden while the viewer shows, and comes back with the main window.
    pf::Form& compose = stand_in_window("FORM9", {});
    p.open_sent(0);
    EXPECT_FALSE(compose.visible);
    main.set_window_state(pf::WindowState::Minimized);
    p.close_viewer();
    EXPECT_FALSE(main.minimized);
    EXPECT_TRUE(main.visible && main.enabled);
    EXPECT_TRUE(compose.visible);

    // From the trash: the trash window comes back; the main window stays as the trash window keeps it.
    pf::Form& trash = stand_in_window("FORM8", {});
    trash.set_enabled(false);
    main.hide();
    main.set_enabled(false);
    compose.hide();
    p.open_view(4, sent_name(1));
    EXPECT_FALSE(p.viewer().control("BUTTON88").visible || p.viewer().control("BUTTON89").visible);
    p.close_viewer();
    EXPECT_TRUE(trash.visible && trash.enabled);
    EXPECT_FALSE(main.enabled || main.visible);
    EXPECT_FALSE(compose.visible);
}

}  // namespace
}  // namespace tv::viewer::test
