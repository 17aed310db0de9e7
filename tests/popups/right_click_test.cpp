// Which right click reaches which window: registration, the hit test and the pending target.
#include <gtest/gtest.h>

#include "popup_program.h"

namespace tv::shell {
namespace {

struct RightClickTest : PopupProgram, ::testing::Test {
    std::vector<std::string> downs;  // "<FORM> x,y" per mouse-down that reached a window

    RightClickTest() {
        for (const char* window : {"MAINFORM", "FORM8", "FORM16"}) {
            pf::handlers().set(std::string(window) + "_MOUSEDOWN", [this, w = std::string(window)] {
                const auto& m = pf::input::last_mouse_down();
                downs.push_back(w + " " + std::to_string(m.x) + "," + std::to_string(m.y));
            });
        }
    }
    std::vector<std::string> taken() { return std::exchange(downs, {}); }
};

using Downs = std::vector<std::string>;

TEST_F(RightClickTest, TheMainListsHitInsideTheirOwnRectangleAtTheClientPoint) {
    EXPECT_EQ(pf::EXT_TABLE().slots[0].list, "LIST3");
    EXPECT_EQ(pf::EXT_TABLE().slots[1].list, "LIST1");
    struct Case { int x, y; bool hit; ExtTarget target; };
    // LIST3 is 996 x 258 at (12, 114), LIST1 996 x 216 at (12, 444).
    std::vector<Case> cases{
        {12, 114, true, {"MAINFORM", "LIST3"}},     // left and top edges are inside
        {1007, 371, true, {"MAINFORM", "LIST3"}},
        {1008, 200, false, {}},                      // right edge: outside
        {500, 372, false, {}},                       // bottom edge: outside
        {11, 200, false, {}},
        {500, 444, true, {"MAINFORM", "LIST1"}},
        {500, 400, false, {}},                       // between the lists
    };
    for (const auto& c : cases) {
        globals().EXT_TARGET_HWND = {};
        pf::input::press_right_button(pf::form("MAINFORM"), c.x, c.y);
        pf::handlers().run("EXTGETEVENT");
        EXPECT_EQ(globals().EXT_TARGET_HWND, c.target) << c.x << "," << c.y;
        pf::event_queue().clear();
    }
    right_click("MAINFORM", 40, 300);
    EXPECT_EQ(taken(), Downs{"MAINFORM 40,300"});
}

TEST_F(RightClickTest, NothingReachesAWindowThatIsNotTheActiveFocusedOne) {
    struct Case { const char* name; std::function<void()> setup; };
    std::vector<Case> cases{
        {"another window had the focus last", [] { EXTFORM("FORM8"); }},
        {"main window visible but not active", [] { pf::forms().set_active(""); }},
        {"minimised main window not active", [] {
             pf::form("MAINFORM").minimized = true;
             pf::forms().set_active("");
         }},
        {"main window disabled", [] { pf::form("MAINFORM").enabled = false; }},
    };
    for (const char* blocking : {"FORM2", "FORM3", "FORM4", "FORM5", "FORM6", "FORM7", "FORM10", "FORM11", "FORM12"}) {
        cases.push_back({blocking, [blocking] { pf::forms().load(blocking); }});
    }
    for (const auto& c : cases) {
        c.setup();
        h.clock().reset_pauses();
        right_click("MAINFORM", 40, 300);
        EXPECT_TRUE(taken().empty()) << c.name;
        EXPECT_EQ(globals().EXT_TARGET_HWND, ExtTarget{}) << c.name;
        for (const char* window : {"FORM2", "FORM3", "FORM4", "FORM5", "FORM6", "FORM7", "FORM10", "FORM11", "FORM12"}) {
            pf::forms().unload(window);
        }
        pf::Form& main = pf::form("MAINFORM");
        main.minimized = false;
        main.enabled = true;
        EXTFORM("MAINFORM");
        pf::forms().set_active("MAINFORM");
    }
    // The compose window does not stop the test (its mouse-down handler refuses instead).
    pf::forms().load("FORM9");
    right_click("MAINFORM", 40, 300);
    EXPECT_EQ(taken(), Downs{"MAINFORM 40,300"});
}

TEST_F(RightClickTest, TheTrashWindowsPointArrivesInTheMainWindowsClientPixels) {
    open("FORM8");
    right_click("FORM8", 100, 200);  // LIST10: 600 x 284 at (12, 78)
    // The main window's frame counts its menu bar: the point arrives 20 pixels higher.
    EXPECT_EQ(taken(), Downs{"FORM8 100,180"});
    EXPECT_EQ(globals().EXT_TARGET_HWND, (ExtTarget{"FORM8", "LIST10"}));
    // A visible main window that is not the active one stops it.
    pf::form("MAINFORM").visible = true;
    right_click("FORM8", 100, 200);
    EXPECT_TRUE(taken().empty());
}

TEST_F(RightClickTest, OpeningTheTrashWindowAHundredTimesNeverFillsTheTable) {
    for (int i = 0; i < 100; ++i) {
        open(i % 2 ? "FORM16" : "FORM8");
        close(i % 2 ? "FORM16" : "FORM8");
    }
    EXPECT_LE(pf::EXT_TABLE().used, 4);
    open("FORM8");
    right_click("FORM8", 100, 500);
    EXPECT_EQ(taken(), Downs{"FORM8 100,480"});
    EXPECT_EQ(globals().EXT_TARGET_HWND, (ExtTarget{"FORM8", "LIST11"}));
    // Registering a list again replaces its slot.
    pf::EXTATTACH("FORM8", "LIST10");
    int slots = 0;
    for (const auto& slot : pf::EXT_TABLE().slots) slots += slot.window == "FORM8" && slot.list == "LIST10";
    EXPECT_EQ(slots, 1);
}

TEST_F(RightClickTest, AClosedWindowLeavesNoTargetBehind) {
    open("FORM8");
    pf::input::press_right_button(pf::form("FORM8"), 100, 200);
    pf::handlers().run("EXTGETEVENT");
    EXPECT_EQ(globals().EXT_TARGET_HWND, (ExtTarget{"FORM8", "LIST10"}));
    pf::event_queue().clear();
    pf::forms().unload("FORM8");
    EXPECT_FALSE(ISEXTEVENT("FORM8", "LIST10"));
    EXPECT_EQ(globals().EXT_TARGET_HWND, ExtTarget{});
}

TEST_F(RightClickTest, TheTestPausesBeforeReadingThePointer) {
    h.clock().reset_pauses();
    pf::handlers().run("EXTGETEVENT");
    EXPECT_EQ(h.clock().paused_ms(), 80);  // three checks, one more for the loaded main window
    open("FORM8");
    pf::forms().load("FORM16");
    h.clock().reset_pauses();
    pf::handlers().run("EXTGETEVENT");
    EXPECT_EQ(h.clock().paused_ms(), 120);
}

}  // namespace
}  // namespace tv::shell
