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

// Every key that moves the highlight selects the row as a click does, one "_CLICK" per move: a
// list of 40 rows showing 10, from the row and top row given.
TEST(Input, KeysMoveTheHighlightAsAClickDoes) {
    test::Harness h;
    int clicks = 0;
    handlers().set("LIST3_CLICK", [&clicks] { ++clicks; });
    Control& list = shown_form().add("LIST3", ControlKind::ListBox);
    list.visible_rows = 10;
    std::vector<std::string> rows;
    for (int i = 0; i < 40; ++i) rows.push_back("row " + std::to_string(i));
    using input::ListKey;
    struct Case {
        int from, top;
        ListKey key;
        int to;  // the highlighted row after the key; `from` when it stays
    };
    const Case cases[] = {
        {5, 0, ListKey::Down, 6},        {5, 0, ListKey::Up, 4},         {-1, 0, ListKey::Down, 0},
        {-1, 0, ListKey::Up, 0},         {0, 0, ListKey::Up, 0},         {39, 30, ListKey::Down, 39},
        {12, 5, ListKey::Home, 0},       {12, 5, ListKey::End, 39},      {39, 30, ListKey::End, 39},
        {7, 5, ListKey::PageDown, 14},   {14, 5, ListKey::PageDown, 23}, {35, 30, ListKey::PageDown, 39},
        {-1, 0, ListKey::PageDown, 9},   {12, 5, ListKey::PageUp, 5},    {5, 5, ListKey::PageUp, 0},
        {25, 20, ListKey::PageUp, 20},   {20, 20, ListKey::PageUp, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "from " << c.from << ", key " << static_cast<int>(c.key));
        list.set_items(rows);
        list.set_top_index(c.top);
        list.select(c.from);
        clicks = 0;
        EXPECT_EQ(input::press_list_key(list, c.key), c.to != c.from);
        run_queued_events();
        EXPECT_EQ(list.selected(), c.to);
        EXPECT_EQ(clicks, c.to != c.from ? 1 : 0);
        EXPECT_GE(list.selected(), list.top_index());  // the highlight is in sight
        EXPECT_LT(list.selected(), list.top_index() + list.visible_rows);
    }

    // A character typed finds the next row that begins with it, from the top again after the last.
    list.set_items({"Abe", "ito", "Imai", "Ueda"});
    list.select(2);
    EXPECT_TRUE(input::type_in_list(list, "i"));
    EXPECT_EQ(list.selected(), 1);
    EXPECT_FALSE(input::type_in_list(list, "x"));
    EXPECT_EQ(list.selected(), 1);
    list.set_items({"Abe"});
    EXPECT_TRUE(input::type_in_list(list, "a"));  // nothing highlighted yet
    EXPECT_FALSE(input::type_in_list(list, "a"));  // the only such row is highlighted already
    list.enabled = false;
    EXPECT_FALSE(input::press_list_key(list, ListKey::End));
}

}  // namespace
}  // namespace tv::platform
