#include "platform/events.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "harness/harness.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::platform {
namespace {

using namespace tv::literals;

TEST(EventQueue, HoldsSixtyFourAndDropsTheRest) {
    test::Harness h;
    int runs = 0;
    handlers().set("TICK", [&] { ++runs; });
    for (int i = 0; i < 65; ++i) event_queue().post("TICK");
    EXPECT_EQ(event_queue().size(), 64u);
    EXPECT_EQ(event_queue().dropped(), 1u);
    run_queued_events();
    EXPECT_EQ(runs, 64);
}

TEST(EventQueue, PumpRunsOneEventOrDispatchesOneMessage) {
    test::Harness h;
    std::vector<std::string> log;
    handlers().set("A", [&] { log.push_back("A"); });
    handlers().set("B", [&] { log.push_back("B"); });
    event_queue().post("A");
    event_queue().post("B");
    EVENT_PUMP();
    EXPECT_EQ(log, std::vector<std::string>{"A"});
    EVENT_PUMP();
    // Nothing queued: one window message is dispatched and the event it queued runs.
    h.platform.window_system.post_message([] { event_queue().post("A"); });
    h.platform.window_system.post_message([] { event_queue().post("B"); });
    EVENT_PUMP();
    EXPECT_EQ(log, (std::vector<std::string>{"A", "B", "A"}));
    EXPECT_EQ(h.platform.window_system.waiting(), 1u);
}

TEST(EventQueue, NestedPumpRunsInsideTheHandlerAndErrorsReachIt) {
    test::Harness h;
    int caught = 0;
    handlers().set("FAIL", [] { raise_error(54); });
    handlers().set("OUTER", [&] {
        try {
            EVENT_PUMP();  // the pumped event counts as called by this handler
        } catch (const RuntimeError& e) {
            caught = e.number();
        }
    });
    event_queue().post("OUTER");
    event_queue().post("FAIL");
    run_queued_events();
    EXPECT_EQ(caught, 54);
}

TEST(Forms, LoadQueuesItsEventAndUnloadRaisesNone) {
    test::Harness h;
    int starts = 0;
    forms().define("FORM5", [](Form& f) {
        f.width = 506;
        f.height = 152;
        f.borderless = true;
    });
    handlers().set("FORM5_START", [&] { ++starts; });
    forms().load("FORM5");
    forms().load("FORM5");  // loading a loaded form does nothing
    EXPECT_TRUE(forms().is_loaded("FORM5"));
    EXPECT_EQ(form("FORM5").width, 506);
    run_queued_events();
    EXPECT_EQ(starts, 1);
    form("FORM5").draw_text(1, 2, "x", Rgb{});
    forms().unload("FORM5");
    EXPECT_FALSE(forms().is_loaded("FORM5"));
    EXPECT_TRUE(form("FORM5").drawing().empty());
    EXPECT_TRUE(event_queue().empty());
}

TEST(Forms, ChildSlotHoldsOneWindow) {
    test::Harness h;
    forms().take_child_slot("FORM3");
    try {
        forms().take_child_slot("FORM4");
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 1001);
    }
    forms().free_child_slot("FORM3");
    forms().take_child_slot("FORM4");
}

TEST(Forms, ListBoxRowsAndTopRow) {
    test::Harness h;
    Control& list = form("MAINFORM").add("LIST3", ControlKind::ListBox);
    list.set_top_index(-1);  // ignored on an empty list
    EXPECT_EQ(list.top_index(), 0);
    for (int i = 0; i < 30; ++i) list.add_item(std::to_string(i));
    list.visible_rows = 10;
    list.set_top_index(29);
    EXPECT_EQ(list.top_index(), 20);  // as far down as the list allows
    EXPECT_EQ(list.item(30), "");
    Control& sorted = form("MAINFORM").add("LIST2", ControlKind::ListBox);
    sorted.sorted = true;
    for (const char* n : {"b", "A", "a"}) sorted.add_item(n);
    EXPECT_EQ(sorted.items(), (std::vector<std::string>{"A", "a", "b"}));
}

TEST(Forms, AFilledBoxDropsWhatItHidesWhollyAndKeepsTheRest) {
    test::Harness h;
    Form& f = form("MAINFORM");
    f.font = Font{"ＭＳ 明朝"_sj, 14, SizeUnit::Pixels};
    f.draw_text(20, 20, "inside", Rgb{});        // 6 bytes of 7 pixels, 14 high: 20..61 x 20..33
    f.draw_text(95, 20, "across", Rgb{});        // ends beyond the box
    f.draw_text(20, 90, "low", Rgb{});           // its cell reaches below the box
    f.draw_line(30, 30, 40, 40, Rgb{});
    f.draw_box(0, 0, 200, 200, Rgb{});           // around the box, not inside it
    f.draw_picture(50, 50, 20, 20, "SYSTEM_F\\BTN_PL.bmp");
    f.draw_filled_box(10, 10, 100, 100, Rgb{}, Rgb{});
    std::vector<std::string> kept;
    for (const auto& op : f.drawing()) kept.push_back(op.kind == DrawOp::Kind::Text ? op.text : "shape");
    EXPECT_EQ(kept, (std::vector<std::string>{"across", "low", "shape", "shape"}));
}

TEST(ProgramEnd, IsNotCaughtByErrorHandlers) {
    test::Harness h;
    bool caught_as_error = false;
    bool ended = h.run([&] {
        try {
            end_program();
        } catch (const std::exception&) {
            caught_as_error = true;
        }
    });
    EXPECT_TRUE(ended);
    EXPECT_FALSE(caught_as_error);
}

}  // namespace
}  // namespace tv::platform
