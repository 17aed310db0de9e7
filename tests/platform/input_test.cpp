#include "platform/input.h"

#include <gtest/gtest.h>

#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"

namespace tv::platform {
namespace {

using namespace tv::literals;
using Kind = Control::RowsChange::Kind;

Form& shown_form() {
    Form& f = form("FORM1");
    f.loaded = true;
    f.visible = true;
    return f;
}

TEST(ListRows, EachChangeIsNumberedAndNamed) {
    test::Harness h;
    Control& list = shown_form().add("LIST2", ControlKind::ListBox);
    list.sorted = true;
    struct Step {
        std::function<void()> change;
        Kind kind;
        int row;
    };
    std::vector<Step> steps{
        {[&] { list.add_item("b"); }, Kind::Insert, 0},
        {[&] { list.add_item("c"); }, Kind::Insert, 1},
        {[&] { list.add_item("A"); }, Kind::Insert, 0},  // sorted: before "b"
        {[&] { list.remove_item(1); }, Kind::Remove, 1},
        {[&] { list.clear(); }, Kind::Reset, 0},
        {[&] { list.set_items({"x", "y"}); }, Kind::Reset, 0},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].change();
        EXPECT_EQ(list.rows_revision(), i + 1);
        EXPECT_EQ(list.last_rows_change().kind, steps[i].kind) << i;
        EXPECT_EQ(list.last_rows_change().row, steps[i].row) << i;
    }
    list.select(1);  // not a change of the rows
    EXPECT_EQ(list.rows_revision(), steps.size());
}

TEST(Input, TextOverTheLimitIsCutAtACharacterBoundary) {
    test::Harness h;
    Control& edit = shown_form().add("TEXT1", ControlKind::Edit);
    edit.max_length = 5;
    EXPECT_TRUE(input::change_text(edit, "abあい"_sj));
    EXPECT_EQ(edit.text, "abあ"_sj);  // not "abあ" plus the lead byte of "い"
}

TEST(Input, ComboRowAndSecondClickOfADoubleClick) {
    test::Harness h;
    std::vector<std::string> ran;
    for (const char* name : {"COMBO1_CHANGE", "LIST3_CLICK", "LIST3_DBLCLICK"}) {
        handlers().set(name, [&ran, n = std::string(name)] { ran.push_back(n); });
    }
    Form& f = shown_form();
    Control& combo = f.add("COMBO1", ControlKind::ComboBox);
    combo.set_items({"JOB", "HOBBY"});
    EXPECT_TRUE(input::click_row(combo, 1));
    EXPECT_EQ(combo.text, "HOBBY");
    Control& list = f.add("LIST3", ControlKind::ListBox);
    list.set_items({"a", "b"});
    input::click_row(list, 1);
    input::second_click_row(list, 1);
    EXPECT_FALSE(input::second_click_row(list, 2));  // no such row
    run_queued_events();
    EXPECT_EQ(ran, (std::vector<std::string>{"COMBO1_CHANGE", "LIST3_CLICK", "LIST3_DBLCLICK"}));
    for (int i = 0; i < 30; ++i) list.add_item("r");
    input::scroll_list(list, 12);
    EXPECT_EQ(list.top_index(), 12);
}

}  // namespace
}  // namespace tv::platform
