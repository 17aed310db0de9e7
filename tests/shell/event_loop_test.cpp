#include <gtest/gtest.h>

#include "common/globals.h"
#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/timers.h"
#include "shell/event_loop.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

struct DeleteKeyTest : ::testing::Test {
    test::Harness h;
    std::vector<std::pair<int, int>> moves;  // DELETE_BOX, DELETE_ROW per SAKUJO
    DeleteKeyTest() {
        h.start();
        pf::handlers().set("SAKUJO", [this] { moves.emplace_back(globals().DELETE_BOX, globals().DELETE_ROW); });
        for (const char* list : {"LIST3", "LIST1"}) {
            for (int i = 0; i < 3; ++i) pf::form("MAINFORM").control(list).add_item(std::string(list) + " row");
        }
    }
};

TEST_F(DeleteKeyTest, WhatTheDeleteKeyMoves) {
    struct Case {
        const char* name;
        int receive_row, send_row;
        std::string keep_on_server;
        std::function<void()> setup;
        std::vector<std::pair<int, int>> moved;
        bool refusal;
    };
    std::vector<Case> cases{
        {"receive row", 1, -1, "0", nullptr, {{1, 1}}, false},
        {"send row", -1, 2, "0", nullptr, {{2, 2}}, false},
        {"both lists: receive first", 0, 1, "0", nullptr, {{1, 0}, {2, 1}}, false},
        {"nothing selected", -1, -1, "0", nullptr, {}, false},
        {"keep on server, not the newest", 0, 1, "1", nullptr, {}, true},
        {"keep on server, the newest", 2, -1, "1", nullptr, {{1, 2}}, false},
        {"minimised", 1, -1, "0", [] { pf::form("MAINFORM").minimized = true; }, {}, false},
        {"disabled", 1, -1, "0", [] { pf::form("MAINFORM").enabled = false; }, {}, false},
        {"trash window loaded", 1, -1, "0", [] { pf::forms().load("FORM8"); }, {}, false},
    };
    for (const auto& c : cases) {
        moves.clear();
        h.boxes().clear();
        pf::Form& main = pf::form("MAINFORM");
        main.minimized = false;
        main.enabled = true;
        main.focused.clear();
        pf::forms().unload("FORM8");
        globals().KEEP_ON_SERVER = c.keep_on_server;
        main.control("LIST3").select(c.receive_row);
        main.control("LIST1").select(c.send_row);
        if (c.setup) c.setup();
        h.press_delete();
        EXPECT_EQ(moves, c.moved) << c.name;
        EXPECT_EQ(h.boxes().shown().size(), c.refusal ? 1u : 0u) << c.name;
        if (c.refusal) {
            EXPECT_EQ(h.boxes().shown()[0].title, "SORRY!!");
            // The refused row stays selected and the receive list has the focus again.
            EXPECT_EQ(main.control("LIST3").selected(), c.receive_row);
            EXPECT_EQ(main.focused, "LIST3");
        }
    }
}

TEST_F(DeleteKeyTest, DeleteInAnotherWindowNeverMovesMail) {
    pf::form("MAINFORM").control("LIST3").select(0);
    pf::forms().set_active("FORM3");  // another window has the focus
    pf::input::press_delete(pf::form("MAINFORM"));
    h.settle();
    EXPECT_TRUE(moves.empty());
}

TEST(EventLoop, PassPausesByTheMainWindowsState) {
    test::Harness h;
    h.start();
    struct Case { bool visible, enabled; int pause; };
    for (auto c : std::vector<Case>{{true, true, 50}, {false, true, 70}, {false, false, 50}}) {
        pf::form("MAINFORM").visible = c.visible;
        pf::form("MAINFORM").enabled = c.enabled;
        h.clock().reset_pauses();
        h.run_trapped(event_loop_pass);
        EXPECT_EQ(h.clock().paused_ms(), c.pause) << c.visible << c.enabled;
    }
}

TEST(EventLoop, TimerTicksAreQueuedEveryTenPeriods) {
    test::Harness h;
    h.start();
    int ticks = 0;
    pf::handlers().set("TIMER1_TIMER", [&] { ++ticks; });
    pf::start_timer(pf::form("MAINFORM").control("TIMER1"));
    for (int i = 0; i < 200; ++i) h.run_trapped(event_loop_pass);  // 200 passes of 50 ms
    EXPECT_EQ(ticks, 10000 / 930);
}

}  // namespace
}  // namespace tv::shell
