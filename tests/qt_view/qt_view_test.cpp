// The Qt view against the forms model, on Qt's offscreen platform.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTimer>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <chrono>
#include <unistd.h>
#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/paths.h"
#include "harness/harness.h"
#include "platform/events.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/qt/form_window.h"
#include "harness/qt_view_fixture.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {
namespace {

using namespace tv::literals;

const Rgb kLightGrey{192, 192, 192};
const Rgb kRed{255, 0, 0};

Font font(const char* face, double size, SizeUnit unit, bool bold = false, bool italic = false) {
    return Font{sj(face), size, unit, bold, italic};
}

TEST_F(QtViewTest, WindowsMirrorGeometryFlagsCaptionAndMenus) {
    Form& splash = show("FORM5", [](Form& f) {
        f.width = 506;
        f.height = 152;
        f.left = 100;
        f.top = 60;
        f.borderless = true;
        f.has_title_bar = false;
    });
    h.make_folder("SYSTEM_F");
    QImage(16, 16, QImage::Format_ARGB32).save(QString::fromStdString(files::resolve("SYSTEM_F\\TLVN.ico").string()));
    splash.icon = "system_f\\tlvn.ICO";  // found as the program writes it, case-blind
    splash.topmost = true;
    splash.caption = "データベースの再構築"_sj;
    splash.pointer = MousePointer::Hourglass;
    splash.changed();
    FormWindow* w = view().window("FORM5");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->surface()->size(), QSize(506, 152));
    EXPECT_EQ(w->size(), QSize(506, 152));
    EXPECT_EQ(w->pos(), QPoint(100, 60));
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("データベースの再構築"));
    EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(w->windowIcon().isNull());

    show("MAINFORM", [](Form& f) {
        f.width = 1018;
        f.height = 719;
        for (const char* name : {"KARA", "serv", "HELP1"}) {
            Control& item = f.add(name, ControlKind::MenuItem);
            item.menu = std::string(name) == "HELP1" ? "ヘルプ"_sj : "ファイル"_sj;
            item.caption = name;
        }
        f.control("KARA").checked = true;
    });
    FormWindow* main = view().window("MAINFORM");
    ASSERT_NE(main, nullptr);
    Qt::WindowFlags flags = main->windowFlags();
    EXPECT_FALSE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
    ASSERT_NE(main->menu_bar(), nullptr);
    QList<QAction*> menus = main->menu_bar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QString::fromUtf8("ファイル"));
    EXPECT_EQ(menus[1]->text(), QString::fromUtf8("ヘルプ"));
    EXPECT_EQ(menus[0]->menu()->actions().size(), 2);
    EXPECT_TRUE(view().menu_action("MAINFORM", "KARA")->isChecked());
    EXPECT_FALSE(view().menu_action("MAINFORM", "serv")->isChecked());
    // The client area is the form's size; the menu bar lies above it, the size is fixed.
    EXPECT_EQ(main->surface()->size(), QSize(1018, 719));
    EXPECT_EQ(main->height(), 719 + main->menu_bar()->height());
    EXPECT_EQ(main->minimumSize(), main->maximumSize());

    forms().unload("FORM5");
    EXPECT_EQ(view().window("FORM5"), nullptr);
    EXPECT_NE(view().window("MAINFORM"), nullptr);
}

TEST_F(QtViewTest, ControlsSitAtTheirPlacesInTheirFontsAndFollowChanges) {
    show("MAINFORM", [](Form& f) {
        f.width = 1018;
        f.height = 719;
        Control& button = f.add("BUTTON3", ControlKind::Button);
        button.caption = "受  信"_sj;
        button.font = font("ＭＳ ゴシック", 14, SizeUnit::Points);
        button.x = 222, button.y = 54, button.width = 132, button.height = 29;
        Control& check = f.add("CHECK1", ControlKind::CheckBox);
        check.checked = true;
        check.x = 10, check.y = 10, check.width = 100, check.height = 20;
        Control& edit = f.add("TEXT1", ControlKind::Edit);
        edit.text = "件名"_sj;
        edit.x = 10, edit.y = 40, edit.width = 100, edit.height = 20;
    });
    auto* button = qobject_cast<QPushButton*>(view().control_widget("MAINFORM", "BUTTON3"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), QRect(222, 54, 132, 29));
    EXPECT_EQ(button->text(), QString::fromUtf8("受  信"));
    EXPECT_EQ(QFontInfo(button->font()).family(), "IPAGothic");
    EXPECT_EQ(button->font().pixelSize(), 14);  // points laid out one to one with pixels
    EXPECT_TRUE(qobject_cast<QCheckBox*>(view().control_widget("MAINFORM", "CHECK1"))->isChecked());
    EXPECT_EQ(qobject_cast<QLineEdit*>(view().control_widget("MAINFORM", "TEXT1"))->text(), QString::fromUtf8("件名"));

    Control& model = form("MAINFORM").control("BUTTON3");
    model.caption = "中止"_sj;
    model.enabled = false;
    model.changed();
    EXPECT_EQ(button->text(), QString::fromUtf8("中止"));
    EXPECT_FALSE(button->isEnabled());
    model.visible = false;
    model.changed();
    EXPECT_TRUE(button->isHidden());
}

TEST_F(QtViewTest, ListRowsFollowAppendsRemovesAndClearsAndHiddenListsStayHidden) {
    Form& main = show("MAINFORM", [](Form& f) {
        f.width = 1018;
        f.height = 719;
        Control& list = f.add("LIST3", ControlKind::ListBox);
        list.font = font("ＭＳ ゴシック", 14, SizeUnit::Points);
        list.x = 12, list.y = 114, list.width = 996, list.height = 258;
        Control& listing = f.add("LIST2", ControlKind::ListBox);
        listing.sorted = true;
        listing.visible = false;
    });
    Control& list = main.control("LIST3");
    auto* widget = qobject_cast<QListView*>(view().control_widget("MAINFORM", "LIST3"));
    ASSERT_NE(widget, nullptr);
    auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < 10000; ++i) list.add_item("<未>差出人 "_sj + std::to_string(i));
    qt->window_system().dispatch_pending_messages();
    auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took, std::chrono::seconds(2));
    ASSERT_EQ(widget->model()->rowCount(), 10000);
    EXPECT_EQ(widget->model()->index(9999, 0).data().toString(), QString::fromUtf8("<未>差出人 9999"));

    list.set_top_index(50);
    EXPECT_EQ(widget->indexAt(QPoint(2, 2)).row(), 50);
    widget->verticalScrollBar()->setValue(120);  // the user scrolls
    EXPECT_EQ(list.top_index(), 120);
    EXPECT_EQ(widget->indexAt(QPoint(2, 2)).row(), 120);
    list.remove_item(0);
    EXPECT_EQ(widget->model()->rowCount(), 9999);
    EXPECT_EQ(widget->model()->index(0, 0).data().toString(), QString::fromUtf8("<未>差出人 1"));
    list.select(3);
    EXPECT_EQ(widget->currentIndex().row(), 3);
    list.clear();
    EXPECT_EQ(widget->model()->rowCount(), 0);
    list.set_items({"b", "a"});
    EXPECT_EQ(widget->model()->rowCount(), 2);

    Control& listing = main.control("LIST2");
    QWidget* hidden = view().control_widget("MAINFORM", "LIST2");
    for (const char* name : {"c", "a", "b"}) listing.add_item(name);
    EXPECT_TRUE(hidden->isHidden());
    EXPECT_EQ(qobject_cast<QListView*>(hidden)->model()->rowCount(), 0);
    listing.visible = true;
    listing.changed();
    EXPECT_EQ(qobject_cast<QListView*>(hidden)->model()->index(0, 0).data().toString(), "a");
}

QColor pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

TEST_F(QtViewTest, DrawingIsPaintedInOrderWithBothCornersAndTransparentText) {
    Form& f = show("FORM5", [](Form& form) {
        form.width = 506;
        form.height = 152;
        form.borderless = true;
    });
    f.font = font("ＭＳ 明朝", 16, SizeUnit::Pixels, true, true);
    f.draw_filled_box(15, 70, 480, 100, kFace, kFace);
    f.draw_filled_box(127, 76, 473, 95, kLightGrey, kWhite);
    f.draw_box(126, 75, 474, 96, kGrey);
    f.draw_line(474, 75, 474, 96, kWhite);
    f.draw_text(21, 78, "FIRST    ："_sj, kWhite);
    f.draw_text(20, 77, "FIRST    ："_sj, kGrey);
    f.draw_filled_box(300, 10, 340, 30, kRed, kRed);
    f.draw_text(300, 10, "     ", kGrey);  // blanks paint nothing over the box
    f.draw_line(10, 10, 20, 15, kGrey);

    QImage image = view().window("FORM5")->surface()->grab().toImage();
    const auto& painted = view().painted("FORM5");
    std::vector<DrawOp::Kind> kinds;
    for (const auto& item : painted) kinds.push_back(item.kind);
    using K = DrawOp::Kind;
    EXPECT_EQ(kinds, (std::vector<K>{K::FilledBox, K::FilledBox, K::Box, K::Line, K::Text, K::Text, K::FilledBox,
                                     K::Text, K::Line}));
    const PaintedItem& front = painted[5];
    EXPECT_EQ(front.text, QString::fromUtf8("FIRST    ："));
    EXPECT_EQ(front.color, QColor(128, 128, 128));
    EXPECT_EQ(front.family, "IPAMincho");
    EXPECT_EQ(front.pixel_size, 16);
    EXPECT_TRUE(front.bold && front.italic);

    EXPECT_EQ(pixel(image, 127, 76), QColor(192, 192, 192));  // both corners of the filled box
    EXPECT_EQ(pixel(image, 473, 95), QColor(192, 192, 192));
    EXPECT_EQ(pixel(image, 300, 80), QColor(255, 255, 255));  // its interior
    EXPECT_EQ(pixel(image, 126, 75), QColor(128, 128, 128));  // the outline's corner
    EXPECT_EQ(pixel(image, 474, 96), QColor(255, 255, 255));  // the line's end point over it
    EXPECT_EQ(pixel(image, 474, 75), QColor(255, 255, 255));
    EXPECT_EQ(pixel(image, 475, 97), QColor(236, 233, 216));
    EXPECT_EQ(pixel(image, 20, 15), QColor(128, 128, 128));  // a slanted line's end point
    EXPECT_EQ(pixel(image, 10, 10), QColor(128, 128, 128));
    for (int x = 301; x < 340; x += 5) EXPECT_EQ(pixel(image, x, 20), QColor(255, 0, 0));

    // The grey text inks below and right of its position, never above it.
    int inked = 0;
    for (int y = 60; y < 110; ++y) {
        for (int x = 15; x < 110; ++x) {
            if (pixel(image, x, y) == QColor(128, 128, 128)) {
                ++inked;
                EXPECT_GE(y, 77);
                EXPECT_GE(x, 20);
            }
        }
    }
    EXPECT_GT(inked, 20);

    f.clear_drawing();
    image = view().window("FORM5")->surface()->grab().toImage();
    EXPECT_TRUE(view().painted("FORM5").empty());
    EXPECT_EQ(pixel(image, 127, 76), QColor(236, 233, 216));
}

TEST_F(QtViewTest, ClicksQueueEventsAndADisabledWindowTakesNone) {
    record({"BUTTON3_ON", "KARA_ON", "LIST3_CLICK", "LIST3_DBLCLICK", "COMBO1_CHANGE", "MAINFORM_MOUSEDOWN",
            "BUTTON3_SETFOCUS"});
    Form& main = show("MAINFORM", [](Form& f) {
        f.width = 600;
        f.height = 400;
        Control& button = f.add("BUTTON3", ControlKind::Button);
        button.x = 10, button.y = 10, button.width = 80, button.height = 25;
        Control& item = f.add("KARA", ControlKind::MenuItem);
        item.menu = "ファイル"_sj;
        item.caption = "終了時にごみ箱を空にする"_sj;
        Control& list = f.add("LIST3", ControlKind::ListBox);
        list.x = 10, list.y = 50, list.width = 300, list.height = 200;
        Control& combo = f.add("COMBO1", ControlKind::ComboBox);
        combo.read_only = true;
        combo.x = 320, combo.y = 10, combo.width = 100, combo.height = 22;
        combo.set_items({"JOB", "HOBBY"});
    });
    for (const char* row : {"a", "b", "c"}) main.control("LIST3").add_item(row);
    auto* button = view().control_widget("MAINFORM", "BUTTON3");
    auto* list = qobject_cast<QListView*>(view().control_widget("MAINFORM", "LIST3"));

    QTest::mouseClick(button, Qt::LeftButton);
    view().menu_action("MAINFORM", "KARA")->trigger();
    QPoint row2 = list->visualRect(list->model()->index(2, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row2);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row2);
    // The second click of the double click raises no second row click.
    EXPECT_EQ(ran(), (std::vector<std::string>{"BUTTON3_ON", "KARA_ON", "LIST3_CLICK", "LIST3_DBLCLICK"}));
    EXPECT_EQ(main.control("LIST3").selected(), 2);

    auto* combo = qobject_cast<QComboBox*>(view().control_widget("MAINFORM", "COMBO1"));
    emit combo->activated(1);
    EXPECT_EQ(main.control("COMBO1").text, "HOBBY");
    QTest::mousePress(view().window("MAINFORM")->surface(), Qt::RightButton, {}, QPoint(40, 300));
    EXPECT_EQ(ran(), (std::vector<std::string>{"COMBO1_CHANGE", "MAINFORM_MOUSEDOWN"}));
    EXPECT_EQ(input::last_mouse_down().button, input::Button::Right);
    EXPECT_EQ(input::last_mouse_down().x, 40);
    EXPECT_EQ(input::last_mouse_down().y, 300);
    // A double click on the window is one press and one click, as the desktop delivers it: press,
    // release, double click, release.
    record({"MAINFORM_CLICK"});
    auto* surface = view().window("MAINFORM")->surface();
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(60, 300));
    QTest::mouseDClick(surface, Qt::LeftButton, {}, QPoint(60, 300));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(60, 300));
    EXPECT_EQ(ran(), (std::vector<std::string>{"MAINFORM_MOUSEDOWN", "MAINFORM_CLICK"}));

    // Focus the user gives a control is reported; focus the program moves is not.
    QApplication::setActiveWindow(view().window("MAINFORM"));
    list->setFocus(Qt::OtherFocusReason);
    button->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(ran(), std::vector<std::string>{"BUTTON3_SETFOCUS"});

    main.enabled = false;
    main.changed();
    QTest::mouseClick(button, Qt::LeftButton);
    view().menu_action("MAINFORM", "KARA")->trigger();
    QPoint row0 = list->visualRect(list->model()->index(0, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row0);
    EXPECT_TRUE(ran().empty());
    EXPECT_EQ(main.control("LIST3").selected(), 2);
    EXPECT_EQ(list->currentIndex().row(), 2);
    EXPECT_TRUE(button->isEnabled());  // a disabled window keeps its looks
}

// Text typed through an input method.
void commit(QWidget* widget, const char* utf8) {
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8(utf8));
    QApplication::sendEvent(widget, &event);
}

TEST_F(QtViewTest, TypedTextReachesTheModelAsCp932OrIsRefused) {
    record({"TEXT1_CHANGE", "TEXT2_CHANGE"});
    Form& main = show("FORM1", [](Form& f) {
        f.width = 400;
        f.height = 300;
        Control& line = f.add("TEXT1", ControlKind::Edit);
        line.x = 10, line.y = 10, line.width = 200, line.height = 22;
        line.max_length = 5;
        Control& body = f.add("TEXT2", ControlKind::Edit);
        body.multiline = true;
        body.x = 10, body.y = 40, body.width = 300, body.height = 200;
    });
    auto* line = qobject_cast<QLineEdit*>(view().control_widget("FORM1", "TEXT1"));
    auto* body = qobject_cast<QPlainTextEdit*>(view().control_widget("FORM1", "TEXT2"));
    ASSERT_TRUE(line && body);

    QTest::keyClicks(line, "ab");
    commit(line, "あ");
    EXPECT_EQ(main.control("TEXT1").text, "abあ"_sj);
    commit(line, "é");   // CP932 cannot hold it
    commit(line, "😀");
    commit(line, "い");  // 6 bytes: over the limit of 5
    EXPECT_EQ(main.control("TEXT1").text, "abあ"_sj);
    EXPECT_EQ(line->text(), QString::fromUtf8("abあ"));
    QTest::keyClicks(line, "c");
    EXPECT_EQ(main.control("TEXT1").text, "abあc"_sj);
    EXPECT_EQ(ran(), std::vector<std::string>(4, "TEXT1_CHANGE"));

    QTest::keyClicks(body, "x");
    QTest::keyClick(body, Qt::Key_Return);
    QTest::keyClicks(body, "y");
    commit(body, "😀");
    EXPECT_EQ(main.control("TEXT2").text, "x\r\ny");
    EXPECT_EQ(body->toPlainText(), "x\ny");
    EXPECT_EQ(ran(), std::vector<std::string>(3, "TEXT2_CHANGE"));

    main.control("TEXT2").text = "1\r\n2";
    main.control("TEXT2").changed();
    EXPECT_EQ(body->toPlainText(), "1\n2");
    EXPECT_TRUE(event_queue().empty());  // text set by the program raises no event
    // CR LF, a lone CR and a lone LF each end a shown line.
    std::string lines;
    for (int i = 0; i < 2000; ++i) lines += "1\r2\n3\r\n";
    main.control("TEXT2").text = lines;
    main.control("TEXT2").changed();
    EXPECT_EQ(body->toPlainText().size(), 2000 * 6);
    EXPECT_EQ(body->toPlainText().left(12), "1\n2\n3\n1\n2\n3\n");
    // A state change of the box leaves the text it shows as it was.
    QTextCursor cursor = body->textCursor();
    cursor.setPosition(7);
    body->setTextCursor(cursor);
    main.control("TEXT2").width = 310;
    main.control("TEXT2").changed();
    EXPECT_EQ(body->textCursor().position(), 7);
}

// A body box whose text is over its byte limit (a reply to a long mail) never locks: deleting
// always goes, and what is typed or pasted is cut where the text reaches the limit.
TEST_F(QtViewTest, ABodyBoxOverItsLimitTakesDeletionsAndCutsWhatIsTyped) {
    Form& main = show("FORM1", [](Form& f) {
        f.width = 400;
        f.height = 300;
        Control& body = f.add("TEXT2", ControlKind::Edit);
        body.multiline = true;
        body.max_length = 10;
        body.x = 10, body.y = 40, body.width = 300, body.height = 200;
    });
    Control& model = main.control("TEXT2");
    auto* body = qobject_cast<QPlainTextEdit*>(view().control_widget("FORM1", "TEXT2"));
    ASSERT_TRUE(body);
    model.text = "0123456789ab";
    model.changed();
    body->moveCursor(QTextCursor::End);
    QTest::keyClick(body, Qt::Key_Backspace);
    EXPECT_EQ(model.text, "0123456789a");
    QTest::keyClicks(body, "z");  // over the limit: nothing of it is taken
    EXPECT_EQ(model.text, "0123456789a");
    EXPECT_EQ(body->toPlainText(), "0123456789a");
    for (int i = 0; i < 7; ++i) QTest::keyClick(body, Qt::Key_Backspace);
    EXPECT_EQ(model.text, "0123");
    commit(body, "あいうえ");  // 8 bytes where 6 are left
    EXPECT_EQ(model.text, "0123あいう"_sj);
    EXPECT_EQ(body->toPlainText(), QString::fromUtf8("0123あいう"));
    EXPECT_EQ(body->textCursor().position(), 7);
    QTest::keyClick(body, Qt::Key_Return);  // no room for a line break either
    EXPECT_EQ(model.text, "0123あいう"_sj);
}

TEST_F(QtViewTest, DeleteOnAListReachesTheLoopButNotFromAnEdit) {
    show("MAINFORM", [](Form& f) {
        f.width = 400;
        f.height = 300;
        Control& list = f.add("LIST3", ControlKind::ListBox);
        list.x = 10, list.y = 10, list.width = 300, list.height = 100;
        list.add_item("row");
        Control& box = f.add("EDIT1", ControlKind::Edit);
        box.x = 10, box.y = 150, box.width = 100, box.height = 22;
    });
    forms().set_active("MAINFORM");
    QTest::keyClick(view().control_widget("MAINFORM", "EDIT1"), Qt::Key_Delete);
    EXPECT_FALSE(input::take_delete_press("MAINFORM"));
    QTest::keyClick(view().control_widget("MAINFORM", "LIST3"), Qt::Key_Delete);
    EXPECT_TRUE(input::take_delete_press("MAINFORM"));
    forms().set_active("FORM3");  // another window of ours is active
    QTest::keyClick(view().control_widget("MAINFORM", "LIST3"), Qt::Key_Delete);
    EXPECT_FALSE(input::take_delete_press("MAINFORM"));
}

// A key or a drag that moves the highlight of a long list moves the model's and raises the list's
// click once, as a click on the row does; the list shows the row, and its highlight and top row are
// the model's.
TEST_F(QtViewTest, EveryHighlightMoveOnALongListIsTheModelsAndRaisesItsClick) {
    record({"LIST3_CLICK"});
    Form& main = show("MAINFORM", [](Form& f) {
        f.width = 400;
        f.height = 300;
        Control& list = f.add("LIST3", ControlKind::ListBox);
        list.x = 10, list.y = 10, list.width = 300, list.height = 200;
    });
    Control& model = main.control("LIST3");
    constexpr int kLast = 19999;
    std::vector<std::string> rows;
    for (int i = 0; i <= kLast; ++i) rows.push_back((i == 100 ? "x" : "r") + std::to_string(i));
    model.set_items(rows);
    auto* list = qobject_cast<QListView*>(view().control_widget("MAINFORM", "LIST3"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(2, 0)).center());
    EXPECT_EQ(ran(), std::vector<std::string>{"LIST3_CLICK"});
    const int page = model.visible_rows - 1;
    ASSERT_GT(page, 1);
    struct Press {
        Qt::Key key;
        int row;
    };
    const Press presses[] = {
        {Qt::Key_End, kLast},         {Qt::Key_Home, 0},          {Qt::Key_PageDown, page},
        {Qt::Key_PageDown, 2 * page}, {Qt::Key_Down, 2 * page + 1}, {Qt::Key_Up, 2 * page},
        {Qt::Key_End, kLast},         {Qt::Key_PageUp, kLast - page}, {Qt::Key_Down, kLast - page + 1},
        {Qt::Key_Home, 0},            {Qt::Key_X, 100},               {Qt::Key_Home, 0},
    };
    for (const auto& p : presses) {
        SCOPED_TRACE(p.row);
        QTest::keyClick(list, p.key);
        EXPECT_EQ(ran(), std::vector<std::string>{"LIST3_CLICK"});
        EXPECT_EQ(model.selected(), p.row);
        EXPECT_EQ(list->currentIndex().row(), p.row);
        EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1);
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(list->currentIndex())));
        EXPECT_EQ(list->indexAt(QPoint(2, 2)).row(), model.top_index());
    }
    QTest::keyClick(list, Qt::Key_Home);  // the highlight is there already
    EXPECT_TRUE(ran().empty());

    // A press dragged from one row to another ends as a click on the row let go of.
    auto centre = [list](int row) { return list->visualRect(list->model()->index(row, 0)).center(); };
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centre(1));
    QTest::mouseMove(list->viewport(), centre(3));
    QTest::mouseMove(list->viewport(), centre(4));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre(4));
    EXPECT_EQ(ran(), std::vector<std::string>{"LIST3_CLICK"});
    EXPECT_EQ(model.selected(), 4);
    EXPECT_EQ(list->currentIndex().row(), 4);
}

TEST_F(QtViewTest, TextSetByAHandlerAndAFocusMoveShow) {
    // Enter in one box: its handler tidies the text and moves the focus to the next box.
    handlers().set("TEXT1_CHANGE", [] {
        Control& box = form("FORM1").control("TEXT1");
        auto at = box.text.find("\r\n");
        if (at == std::string::npos) return;
        box.text = box.text.substr(0, at);
        box.changed();
        input::focus(form("FORM1").control("TEXT2"));
    });
    show("FORM1", [](Form& f) {
        f.width = 400;
        f.height = 300;
        for (const char* name : {"TEXT1", "TEXT2"}) {
            Control& box = f.add(name, ControlKind::Edit);
            box.multiline = true;
            box.x = 10, box.y = name == std::string("TEXT1") ? 10 : 40, box.width = 200, box.height = 24;
        }
    });
    auto* first = qobject_cast<QPlainTextEdit*>(view().control_widget("FORM1", "TEXT1"));
    QTest::keyClicks(first, "abc");
    QTest::keyClick(first, Qt::Key_Return);
    run_queued_events();
    qt->window_system().dispatch_pending_messages();
    EXPECT_EQ(form("FORM1").control("TEXT1").text, "abc");
    EXPECT_EQ(first->toPlainText(), "abc");
}

TEST_F(QtViewTest, CloseBoxRunsTheCloseHandlerAtOnceButWaitsOutAPause) {
    int asked = 0;
    handlers().set("MAINFORM_QUERYCLOSE", [&] { ++asked; });
    show("MAINFORM", [](Form& f) {
        f.width = 300;
        f.height = 200;
    });
    QCoreApplication::postEvent(view().window("MAINFORM"), new QCloseEvent);
    qt->clock().sleep_ms(5);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(forms().is_loaded("MAINFORM"));
    qt->window_system().dispatch_pending_messages();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(forms().is_loaded("MAINFORM"));
    EXPECT_EQ(view().window("MAINFORM"), nullptr);

    // A handler that refuses keeps the window; one that fails reaches the code that dispatched.
    handlers().set("MAINFORM_QUERYCLOSE", [] { input::refuse_close(); });
    forms().load("MAINFORM");
    event_queue().clear();
    view().window("MAINFORM")->close();
    EXPECT_TRUE(forms().is_loaded("MAINFORM"));
    handlers().set("MAINFORM_QUERYCLOSE", [] { raise_error(54); });
    QCoreApplication::postEvent(view().window("MAINFORM"), new QCloseEvent);
    try {
        qt->window_system().dispatch_pending_messages();
        ADD_FAILURE() << "the handler's error was lost";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 54);
    }
    handlers().set("MAINFORM_QUERYCLOSE", [] { end_program(); });
    QCoreApplication::postEvent(view().window("MAINFORM"), new QCloseEvent);
    EXPECT_TRUE(h.run([&] { qt->window_system().dispatch_pending_messages(); }));
    EXPECT_EQ(view().window("MAINFORM"), nullptr);  // the end of the program removed every window
}

TEST_F(QtViewTest, WaitingForAHelperBlocksOnItsDescriptorAndAClosingEndsTheWait) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    // Readable while the wait runs: it ends then, not at its limit.
    QTimer::singleShot(20, [&] { ASSERT_EQ(::write(ends[1], "x", 1), 1); });
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(qt->window_system().wait_readable(ends[0], 5000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    char byte;
    ASSERT_EQ(::read(ends[0], &byte, 1), 1);
    EXPECT_FALSE(qt->window_system().wait_readable(ends[0], 30));  // nothing comes: the limit

    // The user closes the main window meanwhile: its handler runs at once and ends the program.
    handlers().set("MAINFORM_QUERYCLOSE", [] { end_program(); });
    show("MAINFORM", [](Form& f) {
        f.width = 300;
        f.height = 200;
    });
    QTimer::singleShot(20, [&] { QCoreApplication::postEvent(view().window("MAINFORM"), new QCloseEvent); });
    start = std::chrono::steady_clock::now();
    EXPECT_TRUE(h.run([&] { qt->window_system().wait_readable(ends[0], 5000); }));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ::close(ends[0]);
    ::close(ends[1]);
}

TEST_F(QtViewTest, MessageBoxShowsTheCp932TextsAndReturnsTheAnswer) {
    QString title, text;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        for (QAbstractButton* button : box->buttons()) buttons << button->text();
        box->button(QMessageBox::No)->click();
    });
    MsgAnswer answer = message_box("MAINFORM", "PREVINSTANCE !", "既に同じアプリケ－ションが起動されています。"_sj,
                                   MsgButtons::YesNo, MsgIcon::Question);
    EXPECT_EQ(answer, MsgAnswer::No);
    EXPECT_EQ(title, "PREVINSTANCE !");
    EXPECT_EQ(text, QString::fromUtf8("既に同じアプリケ－ションが起動されています。"));
    EXPECT_EQ(buttons.size(), 2);
    EXPECT_TRUE(buttons.contains(QString::fromUtf8("はい(&Y)")));
}

// The desktop draws the title in a bold font beside an icon and the window buttons; an error box's
// title carries the error's number, which must not be cut off.
TEST_F(QtViewTest, AMessageBoxIsWideEnoughForItsWholeTitle) {
    std::string title = "ERROR ! "_sj + " ( ER.No.：75 )"_sj + " ･･････ タルベノールメーラー Ver.2.12"_sj;
    int box_width = 0;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        box_width = box->width();
        box->close();
    });
    message_box("MAINFORM", title, "ネットワークが切断されました。"_sj, MsgButtons::Ok, MsgIcon::Exclamation);
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(box_width, QFontMetrics(bold).horizontalAdvance(to_qstring(title)) + 100);
}

TEST_F(QtViewTest, MinimisingByTheUserReachesTheModel) {
    record({"MAINFORM_RESIZE"});
    Form& main = show("MAINFORM", [](Form& f) {
        f.width = 300;
        f.height = 200;
    });
    FormWindow* w = view().window("MAINFORM");
    w->showMinimized();
    EXPECT_TRUE(main.minimized);
    w->showNormal();
    EXPECT_FALSE(main.minimized);
    EXPECT_EQ(ran(), std::vector<std::string>(2, "MAINFORM_RESIZE"));
    main.minimized = true;
    main.changed();
    EXPECT_TRUE(w->isMinimized());
    EXPECT_TRUE(event_queue().empty());
}

}  // namespace
}  // namespace tv::platform::qt
