// Every box the program raises shows in front of the windows kept on top and takes the keyboard,
// whichever window owns it or is active; the window on top has the keyboard back after it.
// The offscreen platform keeps no stacking order, so what is looked at is what the window manager
// goes by: the window the box stands over (its transient parent) and its stay-on-top flag.
#include <QApplication>
#include <QMessageBox>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <functional>

#include "common/sjis.h"
#include "harness/file_faults.h"
#include "harness/qt_view_fixture.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/qt/form_window.h"

namespace tv::platform::qt {
namespace {

using namespace tv::literals;

// Answers the next dialog that shows (one other than `not_this`) once it is the active window with
// the focus inside it, or after a long while (failing), by pressing `key` in it; notes what it saw.
// A busy machine only makes the wait longer.
class Answerer {
public:
    explicit Answerer(Qt::Key key, QWidget* not_this = nullptr) : key_(key), not_this_(not_this) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
    }
    // Runs once, when the dialog first shows (before it is answered).
    std::function<void(QWidget*)> on_shown;

    QWidget* dialog = nullptr;  // the dialog answered (gone once it is answered)
    QWidget* parent = nullptr;
    QString title;
    bool stays_on_top = false;
    bool took_keyboard = false;

private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == not_this_ || !modal->isVisible()) return;
        if (!dialog) {
            dialog = modal;
            parent = modal->parentWidget();
            title = modal->windowTitle();
            stays_on_top = modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            since_.start();
            if (on_shown) on_shown(modal);
            return;
        }
        if (modal != dialog) return;  // a box over this one is being answered
        QWidget* focused = QApplication::focusWidget();
        took_keyboard = QApplication::activeWindow() == modal && focused && focused->window() == modal;
        if (took_keyboard) {
            timer_.stop();
            QTest::keyClick(focused, key_);
        } else if (since_.elapsed() > 20000) {
            timer_.stop();
            modal->close();
        }
    }

    Qt::Key key_;
    QWidget* not_this_;
    QTimer timer_;
    QElapsedTimer since_;
};

struct BoxesInFrontTest : QtViewTest {
    Form& show_window(const std::string& name, int left, bool topmost) {
        return show(name, [left, topmost](Form& f) {
            f.width = 300;
            f.height = 200;
            f.left = left;
            f.topmost = topmost;
        });
    }
    FormWindow* window(const std::string& name) { return view().window(name); }
    // Makes a window the active one, as a click on it does.
    void activate(const std::string& name) {
        window(name)->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window(name); }, 5000)) << name;
    }
    // Raises a message box for `owner` and answers it with Return; what it saw.
    std::unique_ptr<Answerer> raise_box(const std::string& owner) {
        auto answerer = std::make_unique<Answerer>(Qt::Key_Return);
        EXPECT_EQ(message_box(owner, "t", "x", MsgButtons::Ok, MsgIcon::Information), MsgAnswer::Ok);
        return answerer;
    }
};

// The account window (kept on top) is open over the main window, which owns the box; the box
// goes in front of the account window whether the main or the account window was active.
TEST_F(BoxesInFrontTest, EveryKindOfBoxGoesOverTheWindowOnTopAndTakesTheKeyboard) {
    struct Case {
        const char* name;
        std::function<std::string()> raise;  // what the box answered
        Qt::Key key;
        std::string answer;
    };
    const auto outcome = [](const DialogAnswer& a) { return std::to_string(static_cast<int>(a.outcome)); };
    const std::string cancelled = std::to_string(static_cast<int>(DialogAnswer::Outcome::Cancelled));
    const std::vector<Case> cases = {
        {"message box",
         [] { return std::to_string(static_cast<int>(message_box("MAINFORM", "t", "x", MsgButtons::YesNo, MsgIcon::Question))); },
         Qt::Key_Return, std::to_string(static_cast<int>(MsgAnswer::Yes))},
        {"input box", [] { return input_box(InputBoxRequest{"MAINFORM", "t", "p", "typed", 64}); }, Qt::Key_Return, "typed"},
        {"open dialog", [&] { return outcome(open_file_dialog(FileDialogRequest{"MAINFORM", "t", "", {}})); }, Qt::Key_Escape,
         cancelled},
        {"save dialog", [&] { return outcome(save_file_dialog(FileDialogRequest{"MAINFORM", "t", "", {}})); }, Qt::Key_Escape,
         cancelled},
        {"folder browser", [&] { return outcome(browse_folder("MAINFORM")); }, Qt::Key_Escape, cancelled},
    };
    Form& main = show_window("MAINFORM", 0, false);
    main.enabled = false;  // as while the account window is open
    main.changed();
    show_window("FORM4", 200, true);
    for (const Case& c : cases) {
        for (const char* active : {"MAINFORM", "FORM4"}) {
            SCOPED_TRACE(std::string(c.name) + ", " + active + " active");
            activate(active);
            Answerer answerer(c.key);
            EXPECT_EQ(c.raise(), c.answer);
            EXPECT_EQ(answerer.parent, window("FORM4"));
            EXPECT_TRUE(answerer.stays_on_top);
            EXPECT_TRUE(answerer.took_keyboard);
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window("FORM4"); }, 5000));
        }
    }
}

// Of several windows kept on top the box goes over the one in front: the one shown, brought to
// the front or activated last, never a minimised one; a box raised while another is up goes over
// that one; with none on top, over its owner's window when it shows.
TEST_F(BoxesInFrontTest, TheBoxGoesOverTheWindowInFront) {
    Form& main = show_window("MAINFORM", 0, false);
    Form& account = show_window("FORM4", 100, true);
    Form& trash = show_window("FORM8", 200, true);
    EXPECT_EQ(raise_box("MAINFORM")->parent, window("FORM8"));
    account.bring_to_front();
    account.changed();
    EXPECT_EQ(raise_box("FORM8")->parent, window("FORM4"));
    activate("FORM8");
    EXPECT_EQ(raise_box("FORM4")->parent, window("FORM8"));
    trash.minimized = true;
    trash.changed();
    EXPECT_EQ(raise_box("MAINFORM")->parent, window("FORM4"));

    // The main window's close request runs its handler at once, also while a box is up: the
    // handler's own box goes over the box already up.
    Answerer outer(Qt::Key_Return);
    std::unique_ptr<Answerer> inner;
    outer.on_shown = [&](QWidget* box) {
        inner = std::make_unique<Answerer>(Qt::Key_Return, box);
        message_box("MAINFORM", "t", "inner", MsgButtons::Ok, MsgIcon::Information);
    };
    message_box("FORM4", "t", "outer", MsgButtons::Ok, MsgIcon::Information);
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->parent, outer.dialog);
    EXPECT_TRUE(inner->stays_on_top);
    EXPECT_TRUE(inner->took_keyboard);
    EXPECT_TRUE(outer.took_keyboard);

    forms().unload("FORM4");
    forms().unload("FORM8");
    auto plain = raise_box("MAINFORM");
    EXPECT_EQ(plain->parent, window("MAINFORM"));
    EXPECT_FALSE(plain->stays_on_top);
    main.visible = false;
    main.changed();
    EXPECT_EQ(raise_box("MAINFORM")->parent, nullptr);
}

// The user's case: the account file leads to a disk that cannot be written; OK in the account
// window ends in the error trap, whose box (owned by the main window) must be seen and answered.
TEST_F(BoxesInFrontTest, TheErrorTrapsBoxShowsOverTheAccountWindow) {
    ASSERT_TRUE(h.start());
    h.click("MAINFORM", "KANKYOYU");
    ASSERT_TRUE(forms().is_loaded("FORM4"));
    FormWindow* account = window("FORM4");
    test::FileFaults faults;
    faults.refuse(files::FileChange::Create, "", EROFS);
    Answerer answerer(Qt::Key_Return);
    h.click("FORM4", "BUTTON6");
    EXPECT_TRUE(h.program_ended());
    EXPECT_TRUE(answerer.title.startsWith(QString::fromUtf8("ERROR !  ( ER.No.：75 )"))) << answerer.title.toStdString();
    EXPECT_EQ(answerer.parent, account);
    EXPECT_TRUE(answerer.stays_on_top);
    EXPECT_TRUE(answerer.took_keyboard);
}

}  // namespace
}  // namespace tv::platform::qt
