// What the program and the user do to windows, on the headless platform: the events each raises,
// closed windows, focus moves, close requests, timers under a modal box, the Esc key.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/timers.h"

namespace tv::platform {
namespace {

using namespace tv::literals;

class WindowsTest : public ::testing::Test {
protected:
    WindowsTest() {
        forms().define("FORM2", [](Form& f) {
            f.width = 800;
            f.height = 400;
            f.sizable = true;
            f.maximize_box = true;
            for (const char* name : {"EDIT7", "EDIT8"}) f.add(name, ControlKind::Edit);
            for (const char* name : {"RADIO1", "RADIO2", "RADIO3"}) f.add(name, ControlKind::Radio).menu = "size";
            f.add("RADIO9", ControlKind::Radio).menu = "other";
        });
        for (const char* name : {"FORM2_START", "FORM2_RESIZE", "EDIT7_SETFOCUS", "EDIT7_KILLFOCUS", "EDIT8_SETFOCUS",
                                 "EDIT8_KILLFOCUS", "FORM2_SETFOCUS", "TIMER1_TIMER", "FORM2_QUERYCLOSE"}) {
            handlers().set(name, [this, n = std::string(name)] { events.push_back(n); });
        }
        forms().load("FORM2");
        ran();
    }

    std::vector<std::string> ran() {
        events.clear();
        run_queued_events();
        return events;
    }
    Form& f() { return form("FORM2"); }

    test::Harness h;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST_F(WindowsTest, ShowingOnceAndEveryChangeOfSizeOrStateRaiseResize) {
    struct Step {
        const char* what;
        std::function<void()> act;
        Events raised;
    };
    std::vector<Step> steps{
        {"first show", [&] { f().show(); }, {"FORM2_RESIZE"}},
        {"hide", [&] { f().hide(); }, {}},
        {"show again", [&] { f().show(); }, {}},
        {"minimise", [&] { f().set_window_state(WindowState::Minimized); }, {"FORM2_RESIZE"}},
        {"minimise again", [&] { f().set_window_state(WindowState::Minimized); }, {}},
        {"restore", [&] { f().set_window_state(WindowState::Normal); }, {"FORM2_RESIZE"}},
        {"maximise", [&] { f().set_window_state(WindowState::Maximized); }, {"FORM2_RESIZE"}},
        {"user minimises", [&] { input::set_minimized(f(), true); }, {"FORM2_RESIZE"}},
        {"user restores", [&] { input::set_minimized(f(), false); }, {"FORM2_RESIZE"}},
        {"program resizes", [&] { f().set_size(600, 300); }, {"FORM2_RESIZE"}},
        {"same size", [&] { f().set_size(600, 300); }, {}},
        {"user resizes", [&] { input::resize(f(), 700, 350); }, {"FORM2_RESIZE"}},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(ran(), step.raised) << step.what;
    }
    // A user's minimise and restore come back to the state the window had: maximised.
    EXPECT_EQ(f().window_state(), WindowState::Maximized);
    EXPECT_EQ(f().width, 700);
    EXPECT_EQ(f().outer_height(), 350 + f().frame_height);
    // A window without a sizing border is not resized by the user.
    f().sizable = false;
    input::resize(f(), 10, 10);
    EXPECT_EQ(f().width, 700);
    // A window without a minimise box stays on the screen whatever the desktop does; code still
    // minimises it.
    f().minimize_box = false;
    input::set_minimized(f(), true);
    EXPECT_EQ(f().window_state(), WindowState::Maximized);
    EXPECT_EQ(ran(), Events{});
    f().set_window_state(WindowState::Minimized);
    EXPECT_EQ(f().window_state(), WindowState::Minimized);
    EXPECT_EQ(ran(), Events{"FORM2_RESIZE"});
    // Loaded again, a window is shown for the first time again.
    forms().unload("FORM2");
    forms().load("FORM2");
    EXPECT_EQ(f().window_state(), WindowState::Normal);
    f().show();
    EXPECT_EQ(ran(), (Events{"FORM2_START", "FORM2_RESIZE"}));
}

TEST_F(WindowsTest, AWindowThatCodeClosedCannotBeShownHiddenOrEnabled) {
    forms().unload("FORM2");
    for (auto act : std::vector<std::function<void()>>{[&] { f().show(); }, [&] { f().hide(); },
                                                         [&] { f().set_enabled(true); }}) {
        try {
            act();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), err::kWindowClosed);
        }
    }
    // Asking about it or moving it to the front is no error.
    f().bring_to_front();
    EXPECT_FALSE(forms().is_loaded("FORM2"));
}

TEST_F(WindowsTest, FocusMovesRaiseTheLeavingBoxBeforeTheEnteredOne) {
    f().show();
    ran();
    f().set_focus("EDIT7");
    EXPECT_EQ(ran(), (Events{"EDIT7_SETFOCUS"}));
    f().set_focus("EDIT8");  // by the program
    EXPECT_EQ(ran(), (Events{"EDIT7_KILLFOCUS", "EDIT8_SETFOCUS"}));
    input::focus(f().control("EDIT7"));  // by the user
    EXPECT_EQ(ran(), (Events{"EDIT8_KILLFOCUS", "EDIT7_SETFOCUS"}));
    input::focus(f().control("EDIT7"));  // already there: nothing
    f().set_focus("");                   // to the window itself
    EXPECT_EQ(ran(), (Events{"EDIT7_KILLFOCUS"}));
    f().bring_to_front();
    EXPECT_EQ(ran(), (Events{"FORM2_SETFOCUS"}));
    EXPECT_EQ(forms().active(), "FORM2");
    EXPECT_EQ(f().front_requests, 1);
}

TEST_F(WindowsTest, RadioButtonsSetByTheProgramClearTheirGroupOnly) {
    f().control("RADIO1").set_checked(true);
    f().control("RADIO9").set_checked(true);
    f().control("RADIO3").set_checked(true);
    EXPECT_FALSE(f().control("RADIO1").checked);
    EXPECT_TRUE(f().control("RADIO3").checked);
    EXPECT_TRUE(f().control("RADIO9").checked);  // another group
    EXPECT_EQ(ran(), Events{});                   // and no click events
}

TEST_F(WindowsTest, UsersCloseRequestReachesOnlyAnEnabledWindowWithACloseBox) {
    f().show();
    ran();
    struct Case {
        const char* what;
        std::function<void(Form&)> set;
        input::CloseMode mode;
        bool closes;
    };
    std::vector<Case> cases{
        {"disabled", [](Form& w) { w.enabled = false; }, input::CloseMode::User, false},
        {"greyed close box", [](Form& w) { w.close_box_enabled = false; }, input::CloseMode::User, false},
        {"no title bar", [](Form& w) { w.has_title_bar = false; }, input::CloseMode::User, false},
        {"session ends", [](Form& w) { w.enabled = false; }, input::CloseMode::SessionEnd, true},
        {"enabled", [](Form&) {}, input::CloseMode::User, true},
    };
    for (const auto& c : cases) {
        forms().load("FORM2");
        f().show();
        c.set(f());
        ran();
        events.clear();
        EXPECT_EQ(input::request_close(f(), c.mode), c.closes) << c.what;
        EXPECT_EQ(events, c.closes ? Events{"FORM2_QUERYCLOSE"} : Events{}) << c.what;
        EXPECT_EQ(forms().is_loaded("FORM2"), !c.closes) << c.what;
    }
}

TEST_F(WindowsTest, AProgramSelectionScrollsOnlyAsFarAsNeededAndRaisesNoClick) {
    Control& list = f().add("LIST3", ControlKind::ListBox);
    handlers().set("LIST3_CLICK", [this] { events.push_back("LIST3_CLICK"); });
    for (int i = 0; i < 50; ++i) list.add_item(std::to_string(i));
    list.visible_rows = 10;
    struct Step {
        int select;
        int top;
    };
    for (auto step : {Step{5, 0}, Step{12, 3}, Step{49, 40}, Step{45, 40}, Step{2, 2}, Step{-1, 2}}) {
        list.select(step.select);
        EXPECT_EQ(list.top_index(), step.top) << step.select;
    }
    EXPECT_EQ(ran(), Events{});
}

TEST_F(WindowsTest, TimersGoOnCountingUnderAModalBoxAndTheirEventsRunAfterIt) {
    Control& timer = f().add("TIMER1", ControlKind::Timer);
    timer.interval = 93;
    start_timer(timer);
    int queued_during_box = -1;
    h.boxes().while_shown = [&](const MessageBoxRequest&) { h.clock().advance(1000); };
    h.platform.dialogs.while_shown = [&](const headless::ScriptedDialogs::Shown&) {
        h.clock().advance(1000);
        poll_timers();
        queued_during_box = static_cast<int>(event_queue().size());
    };
    handlers().set("ASK", [&] {
        message_box("FORM2", "t", "x", MsgButtons::Ok, MsgIcon::None);
        input_box(InputBoxRequest{"FORM2", "t", "p", "", 64});
        events.push_back("ASK done");
    });
    event_queue().post("ASK");
    EXPECT_EQ(ran(), (Events{"ASK done", "TIMER1_TIMER"}));
    // The tick of the box's second waits while the dialog is up; later ticks do not queue behind it.
    EXPECT_EQ(queued_during_box, 1);
}

TEST_F(WindowsTest, EscKeyIsReadOnceAndAPressWaitingInTheMessagesCounts) {
    EXPECT_FALSE(escape_key_pressed());
    h.platform.window_system.post_message([] { input::press_escape(); });
    EXPECT_TRUE(escape_key_pressed());
    EXPECT_FALSE(escape_key_pressed());
}

TEST_F(WindowsTest, InputMethodAndEditLooksAreWindowAndControlState) {
    f().set_input_method(InputMethod::Hiragana);
    EXPECT_EQ(f().input_method, InputMethod::Hiragana);
    Control& edit = f().control("EDIT7");
    edit.text = "abcあ"_sj;
    edit.select_all();
    EXPECT_EQ(edit.selection_start, 0u);
    EXPECT_EQ(edit.selection_length, 5u);
    EXPECT_EQ(edit.selection_requests, 1u);
    forms().unload("FORM2");
    forms().load("FORM2");
    EXPECT_EQ(f().input_method, InputMethod::Off);  // a new window starts with it off
}

}  // namespace
}  // namespace tv::platform
