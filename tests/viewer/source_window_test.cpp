// The source window FORM2: a received mail as stored, line by line.
#include <gtest/gtest.h>

#include <functional>

#include "platform/input.h"
#include "platform/platform.h"
#include "store/receive_list.h"
#include "viewer/source_window.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

// Counts the times window messages are dispatched while the source window reads (once per line) and
// acts at the one the test names.
struct CountingWindows : pf::WindowSystem {
    pf::WindowSystem* real;
    int dispatches = 0;
    int act_at = -1;
    std::function<void()> act;
    explicit CountingWindows(pf::WindowSystem* r) : real(r) {}
    bool dispatch_one_message() override { return real->dispatch_one_message(); }
    void dispatch_pending_messages() override {
        bool reading = pf::forms().is_loaded("FORM2") && pf::form("FORM2").pointer == pf::MousePointer::Hourglass;
        if (reading && ++dispatches == act_at) act();
        real->dispatch_pending_messages();
    }
    bool wait_readable(int fd, int timeout_ms) override { return real->wait_readable(fd, timeout_ms); }
};

struct SourceTest : ::testing::Test {
    ViewerProgram p;
    void SetUp() override { p.start(); }
    pf::Form& source() { return pf::form("FORM2"); }
    std::string shown() { return source().control("EDIT7").text; }
    void open(int row) {
        store::receive_list().select(row);
        p.h.click("MAINFORM", "BUTTON4");
    }
    // Opens mail 1 with these lines, acting at the reading of line `at`.
    void open_with(const Strings& lines, int at, std::function<void()> act) {
        p.h.write_lines("JUSINBOX\\" + mail_name(1), lines);
        CountingWindows counting(pf::services().window_system);
        counting.act_at = at;
        counting.act = std::move(act);
        pf::services().window_system = &counting;
        open(0);
        pf::services().window_system = counting.real;
    }
};

TEST_F(SourceTest, ShowsTheStoredLinesWithJisTextConverted) {
    Strings lines{"Subject: =?ISO-2022-JP?B?GyRCJDMbKEI=?=", "X-Note: \x1b$B-!-j\x1b(B \x1b(I1\x1b(B", "",
                  "  folded with blanks", "\tfolded with a tab", "QmFzZTY0"};
    open_with(lines, -1, {});
    ASSERT_TRUE(p.loaded("FORM2"));
    EXPECT_EQ(shown(), "Subject: =?ISO-2022-JP?B?GyRCJDMbKEI=?=\r\nX-Note: \x87\x40\x87\x8A \xB1\r\n\r\n"
                       "folded with blanks\r\n\tfolded with a tab\r\nQmFzZTY0\r\n");
    std::string row = store::receive_list().item(0);
    EXPECT_EQ(source().caption, "詳細 ･･･ <未>mail 1 ( "_sj + trim(row.substr(118)) + " )");
    EXPECT_EQ(source_caption(row, false), source().caption);
    EXPECT_TRUE(source().visible && source().topmost);
    EXPECT_EQ(source().pointer, pf::MousePointer::Arrow);
    pf::Form& main = pf::form("MAINFORM");
    EXPECT_FALSE(main.visible || main.enabled);
    EXPECT_TRUE(p.was_drawn("FORM2", "  読み込みを途中でキャンセルしたい場合は[Esc]keyをどうぞ。"_sj));
    pf::input::request_close(source());
    p.h.settle();
    EXPECT_FALSE(p.loaded("FORM2"));
    EXPECT_TRUE(main.visible && main.enabled);
}

TEST_F(SourceTest, EscStopsTheReadingAndClosingLeavesTheWindowAlone) {
    Strings lines;
    for (int i = 1; i <= 50; ++i) lines.push_back("line " + std::to_string(i));
    // The reading dispatches window messages once before its first line, then once per line.
    open_with(lines, 11, [] { pf::input::press_escape(); });
    EXPECT_EQ(shown(), [] {
        std::string s;
        for (int i = 1; i <= 9; ++i) s += "line " + std::to_string(i) + "\r\n";
        return s;
    }());
    pf::input::request_close(source());
    p.h.settle();
    // Closed while it reads: the main window comes back and nothing more happens to the window.
    open_with(lines, 10, [this] { pf::input::request_close(source()); });
    EXPECT_FALSE(p.loaded("FORM2"));
    EXPECT_TRUE(pf::form("MAINFORM").visible && pf::form("MAINFORM").enabled);
    EXPECT_FALSE(p.h.program_ended());
}

TEST_F(SourceTest, AnEscPressedBeforeTheReadingDoesNotStopIt) {
    Strings lines{"line 1", "line 2"};
    p.h.write_lines("JUSINBOX\\" + mail_name(1), lines);
    pf::input::press_escape();  // on the main window, long before
    open(0);
    EXPECT_EQ(shown(), "line 1\r\nline 2\r\n");
}

TEST_F(SourceTest, OpenersWithoutAMailAndAMissingFile) {
    p.h.click("MAINFORM", "BUTTON4");
    EXPECT_EQ(p.titles(), Strings{"NOT SELECT"});
    EXPECT_EQ(p.h.boxes().shown()[0].text, "受信メールを選択して下さい。    "_sj);
    EXPECT_FALSE(p.loaded("FORM2"));
    std::filesystem::remove(p.h.folder / "JUSINBOX" / mail_name(2));
    open(1);
    ASSERT_TRUE(p.loaded("FORM2"));
    EXPECT_EQ(source().caption, "詳細"_sj);
    EXPECT_EQ(shown(), "");
}

TEST_F(SourceTest, TrashAndFolderMailsAndTheWayBack) {
    auto& g = globals();
    pf::Form& folder = stand_in_window("FORM16", {});
    pf::form("MAINFORM").hide();
    std::string row = fit_width("sender", 46) + "  F   " + fit_width("folder subject", 54) + "   2026/12/01 10:00:09";
    p.h.write_lines("SYSTEM_F\\FORDA_FO\\HOBBY\\JUSIN_FO\\m.eml", {"From: x", "", "body"});
    g.FOLDER_WINDOW_OPEN = 1;
    g.FOLDER_NO = 3;
    g.DETAIL_ROW_TEXT = row;
    g.MAIL_FILE_NAME = "m.eml";
    pf::forms().load("FORM2");
    p.h.settle();
    EXPECT_EQ(source().caption, "詳細 ･･･ folder subject  ( 2026/12/01 10:00:09 )"_sj);
    EXPECT_EQ(shown(), "From: x\r\n\r\nbody\r\n");
    folder.set_enabled(false);
    folder.hide();
    pf::input::request_close(source());
    EXPECT_TRUE(folder.visible && folder.enabled && folder.topmost);
    EXPECT_FALSE(pf::form("MAINFORM").visible);
    // A folder window showing no folder reads nothing.
    g.FOLDER_NO = 9;
    pf::forms().load("FORM2");
    p.h.settle();
    EXPECT_EQ(shown(), "");
}

TEST_F(SourceTest, ResizingKeepsTheLeastSize) {
    open(1);
    pf::Form& f = source();
    EXPECT_EQ(f.outer_width(), 846);
    EXPECT_EQ(f.outer_height(), 472);
    struct Case { int w, h, want_w, want_h; };
    for (auto c : {Case{600, 400, 656, 400}, Case{700, 250, 700, 300}, Case{500, 200, 656, 300}, Case{900, 500, 900, 500}}) {
        pf::input::resize(f, c.w - f.frame_width, c.h - f.frame_height);
        p.h.settle();
        EXPECT_EQ(f.outer_width(), c.want_w) << c.w << "x" << c.h;
        EXPECT_EQ(f.outer_height(), c.want_h) << c.w << "x" << c.h;
        EXPECT_EQ(f.control("EDIT7").width, c.want_w - 50);
        EXPECT_EQ(f.control("EDIT7").height, c.want_h - 100);
        EXPECT_TRUE(p.was_drawn("FORM2", "  読み込みを途中でキャンセルしたい場合は[Esc]keyをどうぞ。"_sj));
    }
    // Minimised: nothing is laid out; restored: laid out again.
    f.clear_drawing();
    pf::input::set_window_state(f, pf::WindowState::Minimized);
    p.h.settle();
    EXPECT_TRUE(f.drawing().empty());
    pf::input::set_window_state(f, pf::WindowState::Normal);
    p.h.settle();
    EXPECT_FALSE(f.drawing().empty());
}

}  // namespace
}  // namespace tv::viewer::test
