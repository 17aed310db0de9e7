// The Qt side of the popup menus, on Qt's offscreen platform: right clicks on lists, the menu
// itself, and the active window.
#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/qt/form_window.h"
#include "harness/qt_view_fixture.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_view.h"
#include "shell/popup_row.h"

namespace tv::platform::qt {
namespace {

using namespace tv::literals;

// The popup menu shown now, if any.
QMenu* open_menu() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(w); menu && menu->isVisible()) return menu;
    }
    return nullptr;
}

struct QtPopupsTest : QtViewTest {
    Form& show(const std::string& name) {
        return QtViewTest::show(name, [](Form& f) {
            f.width = 600;
            f.height = 400;
            Control& list = f.add("LIST3", ControlKind::ListBox);
            list.x = 12, list.y = 40, list.width = 500, list.height = 258;
            list.font = Font{"ＭＳ ゴシック"_sj, 14, SizeUnit::Points};
        });
    }
};

TEST_F(QtPopupsTest, ARightClickOnAListFeedsTheLoopWithTheRowAsShown) {
    Form& main = show("MAINFORM");
    for (int i = 0; i < 20; ++i) main.control("LIST3").add_item("row " + std::to_string(i));
    auto* list = qobject_cast<QListView*>(qt->qt_view().control_widget("MAINFORM", "LIST3"));
    ASSERT_NE(list, nullptr);
    event_queue().clear();
    for (int row : {0, 3, 7}) {
        QRect shown = list->visualRect(list->model()->index(row, 0));
        // (QTest takes a null point for the widget's centre.)
        for (QPoint at : {QPoint(5, shown.top()), shown.center(), QPoint(5, shown.bottom())}) {
            QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
            input::RightPress press;
            ASSERT_TRUE(input::take_right_press(press)) << row;
            EXPECT_EQ(press.form, "MAINFORM");
            QPoint client = list->viewport()->mapTo(qt->qt_view().window("MAINFORM")->surface(), at);
            EXPECT_EQ(press.x, client.x());
            EXPECT_EQ(press.y, client.y());
            const Control& model = main.control("LIST3");
            EXPECT_EQ(shell::row_under_pointer(shell::row_bands(model, 18.5), model.count(), model.top_index(), press.y),
                      row + 1)
                << row << " at " << at.y();
        }
    }
    // The view raises no mouse-down itself, and the right button selects nothing.
    EXPECT_TRUE(event_queue().empty());
    EXPECT_EQ(main.control("LIST3").selected(), -1);
}

TEST_F(QtPopupsTest, TheMenuShowsItsItemsAndReturnsTheChosenName) {
    show("MAINFORM");
    PopupRequest request{"MAINFORM", "DUMMY3", {{"OPEN", "開く"_sj, false}, {"TRASH", "ごみ箱へ移動"_sj, true}}, 30, 60};
    QStringList captions;
    std::vector<bool> enabled;
    int separators = 0;
    QPoint at;
    QTimer::singleShot(0, [&] {
        QMenu* menu = open_menu();
        ASSERT_NE(menu, nullptr);
        at = menu->pos();
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                ++separators;
                continue;
            }
            captions << action->text();
            enabled.push_back(action->isEnabled());
        }
        QAction* open = menu->actions().at(1);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(open).center());
    });
    EXPECT_EQ(services().popup_menu->show(request), std::optional<std::string>("OPEN"));
    EXPECT_EQ(captions, (QStringList{QString::fromUtf8("開く"), QString::fromUtf8("ごみ箱へ移動")}));
    EXPECT_EQ(enabled, (std::vector<bool>{true, false}));
    EXPECT_EQ(separators, 2);
    EXPECT_EQ(at, qt->qt_view().window("MAINFORM")->surface()->mapToGlobal(QPoint(30, 60)));

    QTimer::singleShot(0, [] { open_menu()->close(); });
    EXPECT_EQ(services().popup_menu->show(request), std::nullopt);
}

TEST_F(QtPopupsTest, AWindowThatBecomesActiveRaisesItsFocusEvent) {
    std::vector<std::string> ran;
    for (const char* name : {"MAINFORM_SETFOCUS", "FORM8_SETFOCUS"}) {
        handlers().set(name, [&ran, n = std::string(name)] { ran.push_back(n); });
    }
    show("MAINFORM");
    show("FORM8");
    event_queue().clear();
    QApplication::setActiveWindow(qt->qt_view().window("MAINFORM"));
    EXPECT_EQ(forms().active(), "MAINFORM");
    QApplication::setActiveWindow(qt->qt_view().window("FORM8"));
    EXPECT_EQ(forms().active(), "FORM8");
    run_queued_events();
    EXPECT_EQ(ran, (std::vector<std::string>{"MAINFORM_SETFOCUS", "FORM8_SETFOCUS"}));
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(forms().active(), "");
}

}  // namespace
}  // namespace tv::platform::qt
