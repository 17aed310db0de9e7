// The popup menus of the six lists: the row under the pointer, the items and their greying, and
// the procedure each choice runs.
#include <gtest/gtest.h>

#include "platform/forms.h"
#include "popup_program.h"
#include "shell/popup_row.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
using Strings = std::vector<std::string>;

TEST(PopupRow, BandsWithTheirRoundedEdges) {
    struct Case { const char* name; RowBands bands; int count, top_index; double y; int row; };
    const RowBands list10{78, 284 / 20.5}, list11{450, 228 / 16.5}, list28{450, 216 / 15.5}, list3{114, 258 / 18.5};
    std::vector<Case> cases{
        {"trash received: first band ends at 92", list10, 30, 0, 92, 1},
        {"trash received: 93 is band 2", list10, 30, 0, 93, 2},
        {"trash received: top edge is in no band", list10, 30, 0, 78, 0},
        {"trash received: band 21 from 355", list10, 30, 0, 356, 21},
        {"trash received: band 21 to 369", list10, 30, 0, 369, 21},
        {"trash sent: 506 is band 5", list11, 30, 0, 506, 5},
        {"trash sent: 505 is still band 4", list11, 30, 0, 505, 4},
        {"folder sent: 506 is band 4", list28, 30, 0, 506, 4},
        {"folder sent: 507 is band 5", list28, 30, 0, 507, 5},
        {"receive list scrolled to row 10: third band", list3, 40, 9, 114 + 2.5 * 258 / 18.5, 12},
        {"below the last of three rows", list3, 3, 0, 200, 0},
        {"an empty list still has its first band", list10, 0, 0, 85, 1},
        {"a scrolled band past the rows", list10, 12, 10, 110, 13},
    };
    for (const auto& c : cases) EXPECT_EQ(row_under_pointer(c.bands, c.count, c.top_index, c.y), c.row) << c.name;
}

TEST(PopupRow, ShownRowsDecideWhereAViewShowsTheList) {
    pf::Control list(nullptr, "LIST3", pf::ControlKind::ListBox);
    list.y = 114;
    list.height = 258;
    EXPECT_DOUBLE_EQ(row_bands(list, 18.5).pitch, 258 / 18.5);
    list.shown_row_height = 21;
    list.shown_rows_top = 1;
    RowBands bands = row_bands(list, 18.5);
    // Row i as shown covers 115 + 21 (i - 1) to 135 + 21 (i - 1).
    for (auto [y, row] : std::vector<std::pair<int, int>>{{114, 0}, {115, 1}, {135, 1}, {136, 2}, {156, 2}, {157, 3}}) {
        EXPECT_EQ(row_under_pointer(bands, 10, 0, y), row) << y;
    }
}

struct ListPopupTest : PopupProgram, ::testing::Test {
    ListPopupTest() {
        fill("MAINFORM", "LIST3", 30);
        fill("MAINFORM", "LIST1", 3);
    }
    static Strings names(const pf::PopupRequest& r) {
        Strings out;
        for (const auto& item : r.items) out.push_back(item.name);
        return out;
    }
    static Strings greyed(const pf::PopupRequest& r) {
        Strings out;
        for (const auto& item : r.items) {
            if (item.greyed) out.push_back(item.name);
        }
        return out;
    }
    // The last menu shown, and nothing else shown since the last look.
    pf::PopupRequest shown_once() {
        EXPECT_EQ(popups().shown().size(), 1u);
        pf::PopupRequest last = popups().shown().empty() ? pf::PopupRequest{} : popups().shown().back();
        popups().clear();
        return last;
    }
    Strings taken() { return std::exchange(ran, {}); }
};

TEST_F(ListPopupTest, ReceiveListMenuOnTheRowUnderThePointer) {
    list("MAINFORM", "LIST1").select(1);
    list("MAINFORM", "LIST3").set_top_index(9);
    popups().choose_next("SAKUJO_P_JUSIN");
    right_click("MAINFORM", 300, 114 + 35);  // third band of LIST3
    pf::PopupRequest menu = shown_once();
    EXPECT_EQ(menu.owner, "MAINFORM");
    EXPECT_EQ(menu.popup, "DUMMY2");
    EXPECT_EQ(menu.x, 300);
    EXPECT_EQ(menu.y, 149);
    ASSERT_EQ(menu.items.size(), 14u);
    EXPECT_EQ(menu.items[0].caption, "開く"_sj);
    EXPECT_EQ(menu.items[3].caption, "メールソフトから開く"_sj);
    EXPECT_EQ(menu.items[13].caption, "ごみ箱へ移動(Delete･keyでも移動可：確認ダイアログなし)"_sj);
    EXPECT_TRUE(greyed(menu).empty());
    EXPECT_EQ(list("MAINFORM", "LIST3").selected(), 11);
    EXPECT_EQ(list("MAINFORM", "LIST1").selected(), -1);
    EXPECT_EQ(taken(), Strings{"BUTTON11_ON"});
}

TEST_F(ListPopupTest, SendListMenuClearsTheReceiveSelectionBeforeOpening) {
    list("MAINFORM", "LIST3").select(4);
    popups().choose_next("HIRAKU_P_SOUSIN");
    right_click("MAINFORM", 300, 444 + 20);  // second band of LIST1
    pf::PopupRequest menu = shown_once();
    EXPECT_EQ(menu.popup, "DUMMY");
    EXPECT_EQ(names(menu), (Strings{"HIRAKU_P_SOUSIN", "WINMAIL_P_SOUSIN", "HOZON_P_SOUSIN", "IDO_SO_JOB",
                                    "IDO_SO_PRIVATE", "IDO_SO_HOBBY", "IDO_SO_ANOTHER", "SAKUJO_P_SOUSIN"}));
    EXPECT_EQ(list("MAINFORM", "LIST1").selected(), 1);
    EXPECT_EQ(list("MAINFORM", "LIST3").selected(), -1);
    EXPECT_EQ(taken(), Strings{"HIRAKU_ON"});
}

TEST_F(ListPopupTest, WhenNoMenuOpens) {
    struct Case {
        const char* name;
        std::function<void()> setup;
        int y;
        int receive_selected, send_selected;  // afterwards (both start at 2 and 1)
        Strings boxes;
    };
    std::vector<Case> cases{
        {"composing: row selected, then refused", [] { globals().COMPOSING = 1; }, 114 + 20, 1, -1, {"メール作成中"_sj}},
        {"details window open: nothing at all", [] { pf::forms().load("FORM2"); }, 114 + 20, 2, 1, {}},
        {"below the last row: both selections go", [] { fill("MAINFORM", "LIST3", 3); }, 114 + 100, -1, -1, {}},
        {"the partly shown band past the last row", [] {
             list("MAINFORM", "LIST3").set_top_index(16);  // scrolled to its end: band 18 is row 34
         }, 114 + 250, 2, 1, {}},
        {"main window disabled", [] { pf::form("MAINFORM").enabled = false; }, 114 + 20, 2, 1, {}},
    };
    for (const auto& c : cases) {
        fill("MAINFORM", "LIST3", 30);
        pf::Form& main = pf::form("MAINFORM");
        main.enabled = true;
        globals().COMPOSING = 0;
        pf::forms().unload("FORM2");
        list("MAINFORM", "LIST3").select(2);
        list("MAINFORM", "LIST1").select(1);
        h.boxes().clear();
        c.setup();
        right_click("MAINFORM", 300, c.y);
        EXPECT_TRUE(popups().shown().empty()) << c.name;
        EXPECT_EQ(list("MAINFORM", "LIST3").selected(), c.receive_selected) << c.name;
        EXPECT_EQ(list("MAINFORM", "LIST1").selected(), c.send_selected) << c.name;
        Strings titles;
        for (const auto& box : h.boxes().shown()) titles.push_back(box.title);
        EXPECT_EQ(titles, c.boxes) << c.name;
        EXPECT_TRUE(taken().empty()) << c.name;
    }
    EXPECT_EQ(h.boxes().shown().size(), 0u);
}

TEST_F(ListPopupTest, DismissedMenuRunsNothingAndKeepsTheRow) {
    right_click("MAINFORM", 300, 114 + 20);
    shown_once();
    EXPECT_EQ(list("MAINFORM", "LIST3").selected(), 1);
    EXPECT_TRUE(taken().empty());
}

TEST_F(ListPopupTest, AClickDisabledBeforeItsMenuIsDroppedForGood) {
    pf::input::press_right_button(pf::form("MAINFORM"), 300, 114 + 20);
    pf::handlers().run("EXTGETEVENT");  // the mouse-down is queued
    pf::form("MAINFORM").enabled = false;
    h.settle();
    pf::form("MAINFORM").enabled = true;
    // A plain mouse-down later (a left click on the window) finds no pending right click.
    pf::input::mouse_down(pf::form("MAINFORM"), pf::input::Button::Left, 300, 114 + 20);
    h.settle();
    EXPECT_TRUE(popups().shown().empty());
    EXPECT_EQ(list("MAINFORM", "LIST3").selected(), -1);
}

TEST_F(ListPopupTest, TrashMenusGreyTheMoveToTheTrash) {
    open("FORM8");
    fill("FORM8", "LIST10", 5);
    fill("FORM8", "LIST11", 5);
    list("FORM8", "LIST11").select(3);
    // A client y of 91 is 92 once the menu bar's correction is added: band 1 of LIST10.
    popups().choose_next("SAKUJO_G_JUSIN");
    right_click("FORM8", 100, 91);
    pf::PopupRequest menu = shown_once();
    EXPECT_EQ(menu.popup, "DUMMY3");
    EXPECT_EQ(menu.owner, "FORM8");
    EXPECT_EQ(menu.y, 92);
    EXPECT_EQ(menu.items.size(), 16u);
    EXPECT_EQ(greyed(menu), Strings{"GOMI_IDOU_JU"});
    EXPECT_EQ(list("FORM8", "LIST10").selected(), 0);
    EXPECT_EQ(list("FORM8", "LIST11").selected(), -1);
    EXPECT_EQ(taken(), Strings{"BUTTON14_ON"});

    popups().choose_next("WIN_HIRAKU");
    right_click("FORM8", 100, 92);  // band 2
    EXPECT_EQ(list("FORM8", "LIST10").selected(), 1);
    popups().clear();
    popups().choose_next("HIRAKU_WIN");
    right_click("FORM8", 100, 450 + 14);  // LIST11, band 2
    menu = shown_once();
    EXPECT_EQ(menu.popup, "DUMMY4");
    EXPECT_EQ(greyed(menu), Strings{"GOMI_IDOU_SOU"});
    EXPECT_EQ(list("FORM8", "LIST11").selected(), 1);
    EXPECT_EQ(list("FORM8", "LIST10").selected(), -1);
    EXPECT_EQ(taken(), (Strings{"BUTTON70_ON", "BUTTON70_ON"}));

    // A greyed item cannot be chosen.
    popups().choose_next("GOMI_IDOU_SOU");
    right_click("FORM8", 100, 450 + 14);
    shown_once();
    EXPECT_TRUE(taken().empty());

    globals().COMPOSING = 1;
    right_click("FORM8", 100, 91);
    EXPECT_TRUE(popups().shown().empty());
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_EQ(h.boxes().shown()[0].owner, "FORM8");
    EXPECT_EQ(h.boxes().shown()[0].text, "メールの作成中はポップアップメニューは使用できません。"_sj);
}

TEST_F(ListPopupTest, FolderMenusGreyTheMoveToTheFolderShown) {
    open("FORM16");
    fill("FORM16", "LIST27", 5);
    fill("FORM16", "LIST28", 5);
    const Strings received{"", "JOB_IDOU_JU", "PRIV_IDOU_JU", "HOBB_IDOU_JU", "ANOTH_IDOU_JU"};
    const Strings sent{"", "JOB_IDOU_SOU", "PRIV_IDOU_SOU", "HOBB_IDOU_SOU", "ANOTH_IDOU_SOU"};
    for (int folder = 1; folder <= 4; ++folder) {
        globals().FOLDER_NO = folder;
        right_click("FORM16", 100, 91);
        EXPECT_EQ(greyed(shown_once()), Strings{received[static_cast<std::size_t>(folder)]}) << folder;
        right_click("FORM16", 100, 450 + 14);
        EXPECT_EQ(greyed(shown_once()), Strings{sent[static_cast<std::size_t>(folder)]}) << folder;
    }
    popups().choose_next("GOMI_IDOU_JU");
    right_click("FORM16", 100, 91);
    popups().choose_next("HIRAKU_G_SOUSIN");
    right_click("FORM16", 100, 450 + 14);
    EXPECT_EQ(taken(), (Strings{"GOMIBAKO_IDOU_JU", "LIST28_DBLCLICK"}));
}

}  // namespace
}  // namespace tv::shell
