// Previous and next, the web-address box, Paste and the focus handlers of the viewer.
#include <gtest/gtest.h>

#include "common/receive_list_row.h"
#include "platform/events.h"
#include "platform/input.h"
#include "save_folder.h"
#include "store/receive_list.h"
#include "viewer/viewer_controls.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

struct StepTest : ::testing::Test {
    ViewerProgram p{4};
    void SetUp() override { p.start(); }
    int beeps() { return p.h.platform.sound.beeps; }
};

TEST_F(StepTest, NextAndPreviousInTheReceiveList) {
    pf::Control& list = store::receive_list();
    list.set_items({list.item(0), list.item(1), build_receive_row("s3", " ", UNREAD_MARK() + "mail 3", "2026/12/01"),
                    list.item(3)});
    p.open_received(1);
    list.visible_rows = 2;
    list.set_top_index(1);
    p.h.click("FORM3", "BUTTON89");
    ASSERT_TRUE(p.loaded("FORM3"));
    EXPECT_EQ(p.text("EDIT22"), "mail 3");
    EXPECT_EQ(globals().VIEW_RECV_ROW, 2);
    EXPECT_EQ(list.selected(), 2);
    EXPECT_EQ(list.top_index(), 1);
    EXPECT_EQ(list.item(2).find(UNREAD_MARK()), std::string::npos);
    EXPECT_EQ(p.h.read("SYSTEM_F\\F_JU.txt"), tv::test::crlf(list.items()));
    EXPECT_FALSE(pf::form("MAINFORM").enabled);
    p.h.click("FORM3", "BUTTON89");
    p.h.click("FORM3", "BUTTON89");  // past the last row
    EXPECT_EQ(beeps(), 1);
    EXPECT_EQ(p.text("EDIT22"), "mail 4");
    p.h.click("FORM3", "BUTTON88");
    EXPECT_EQ(p.text("EDIT22"), "mail 3");
    EXPECT_EQ(globals().MAIL_FILE_NAME, mail_name(3));
    p.close_viewer();
    // From the first row "<<" beeps, and the viewer keeps its mail.
    p.open_received(0);
    p.h.click("FORM3", "BUTTON88");
    EXPECT_EQ(beeps(), 2);
    EXPECT_EQ(p.text("EDIT22"), "mail 1");
    EXPECT_EQ(globals().VIEW_RECV_ROW, 0);
}

TEST_F(StepTest, TheSendListStepsFromTheRowShownAfterASave) {
    SaveFolder out;
    p.open_sent(0);
    // Saving a sent mail from the viewer clears the list's selection; ">>" still knows the row.
    p.h.platform.dialogs.choose_next(out / "x");
    p.h.click("FORM3", "BUTTON13");
    ASSERT_EQ(p.control("MAINFORM", "LIST1").selected(), -1);
    p.h.click("FORM3", "BUTTON89");
    EXPECT_EQ(p.text("EDIT22"), "sent 2");
    EXPECT_EQ(globals().VIEW_SENT_ROW, 1);
    EXPECT_EQ(globals().VIEW_RECV_ROW, -1);
    EXPECT_EQ(p.control("MAINFORM", "LIST1").selected(), 1);
    // The last row of the send list beeps.
    p.h.click("FORM3", "BUTTON89");
    p.h.click("FORM3", "BUTTON89");
    p.h.click("FORM3", "BUTTON89");
    EXPECT_EQ(p.text("EDIT22"), "sent 4");
    EXPECT_EQ(beeps(), 1);
    // The step buttons do nothing for a mail of the trash.
    p.close_viewer();
    p.open_view(4, sent_name(1));
    p.h.run_trapped([] { pf::handlers().run("BUTTON89_ON"); });
    EXPECT_EQ(beeps(), 1);
    EXPECT_EQ(globals().VIEW_MODE, 4);
}

TEST(WebAddress, WhatTheBoxAccepts) {
    struct Case { const char* text; std::optional<std::string> address; };
    for (const auto& c : std::vector<Case>{
             {"  https://example.jp/a?b=c  ", "https://example.jp/a?b=c"},
             {"HTTP://EXAMPLE.JP", "HTTP://EXAMPLE.JP"},
             {"www.example.jp", "http://www.example.jp"},
             {"WwW.example.jp/x y", "http://WwW.example.jp/x y"},
             {"see http://example.jp", std::nullopt},
             {"javascript:alert(1)//www.", std::nullopt},
             {"file:///etc/passwd", std::nullopt},
             {"-n http://x", std::nullopt},
             {"http://a\r\nhttp://b", std::nullopt},
             {"https://example.jp/docs\n", "https://example.jp/docs"},  // a pasted line
             {"\t\r\n www.example.jp \r\n", "http://www.example.jp"},
             {"", std::nullopt},
         }) {
        EXPECT_EQ(web_address(c.text), c.address) << c.text;
    }
    EXPECT_EQ(web_address("ｗｗｗ.example.jp"_sj), std::nullopt);  // full-width letters do not count
}

TEST(UrlBox, GoInternetClosesTheViewerAndHandsTheAddressOver) {
    ViewerProgram p;
    p.start();
    pf::Form& compose = stand_in_window("FORM9", {});
    p.open_received(0);
    pf::Form& v = p.viewer();
    v.control("EDIT34").text = "ftp://x";
    p.h.click("FORM3", "BUTTON90");
    EXPECT_EQ(p.titles(), Strings{"Bad URL !"});
    EXPECT_EQ(p.h.boxes().shown()[0].text, "URL が無効です。   "_sj);
    EXPECT_EQ(v.focused, "EDIT34");
    EXPECT_EQ(v.control("EDIT34").selection_length, 7u);
    EXPECT_TRUE(p.h.platform.shell.addresses.empty());

    v.control("EDIT34").text = " www.example.jp ";
    p.h.click("FORM3", "BUTTON90");
    EXPECT_FALSE(p.loaded("FORM3"));
    EXPECT_EQ(p.h.platform.shell.addresses, Strings{"http://www.example.jp"});
    pf::Form& main = pf::form("MAINFORM");
    EXPECT_TRUE(main.enabled && main.minimized);
    EXPECT_TRUE(compose.visible);
}

TEST(UrlBox, APastedLineGoesWithItsLineBreak) {
    ViewerProgram p;
    p.start();
    p.open_received(0);
    p.h.platform.clipboard.content = "https://example.jp/docs\n";
    p.h.click("FORM3", "BUTTON91");
    p.h.click("FORM3", "BUTTON90");
    EXPECT_TRUE(p.titles().empty());
    EXPECT_EQ(p.h.platform.shell.addresses, Strings{"https://example.jp/docs"});
}

TEST(UrlBox, PasteAndFocus) {
    ViewerProgram p(1);
    p.start();
    p.open_received(0);
    pf::Form& v = p.viewer();
    v.control("EDIT34").text = "typed";
    p.h.platform.clipboard.content = "http://pasted\r\n";
    p.h.click("FORM3", "BUTTON91");
    EXPECT_EQ(v.control("EDIT34").text, "http://pasted\r\n");
    p.h.platform.clipboard.content = std::nullopt;  // text CP932 cannot hold
    p.h.click("FORM3", "BUTTON91");
    EXPECT_EQ(v.control("EDIT34").text, "http://pasted\r\n");
    EXPECT_EQ(p.h.platform.sound.beeps, 1);
    p.h.platform.clipboard.content = "";
    p.h.click("FORM3", "BUTTON91");
    EXPECT_EQ(v.control("EDIT34").text, "");

    v.set_input_method(pf::InputMethod::Hiragana);
    v.control("EDIT34").text = "abc";
    pf::input::focus(v.control("EDIT34"));
    p.h.settle();
    EXPECT_EQ(v.input_method, pf::InputMethod::Off);
    EXPECT_EQ(v.control("EDIT34").selection_length, 3u);
    v.set_input_method(pf::InputMethod::Hiragana);
    pf::input::focus(v.control("EDIT15"));
    p.h.settle();
    EXPECT_EQ(v.input_method, pf::InputMethod::Off);
    pf::input::click_form(v);
    p.h.settle();
    EXPECT_EQ(v.focused, "");
}

}  // namespace
}  // namespace tv::viewer::test
