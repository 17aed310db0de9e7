#include "platform/qt/qt_services.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QSpacerItem>
#include <QTimer>
#include <algorithm>
#include <array>
#include <vector>

#include "platform/qt/form_window.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

bool QtWindowSystem::dispatch_one_message() {
    view_.remove_closed_windows();
    bool any = view_.run_deferred();
    view_.rethrow_pending();
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        any = dispatcher->processEvents(QEventLoop::AllEvents) || any;
    }
    view_.rethrow_pending();
    view_.remove_closed_windows();
    view_.settle_places();
    return any;
}

void QtWindowSystem::dispatch_pending_messages() {
    view_.remove_closed_windows();
    view_.run_deferred();
    view_.rethrow_pending();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    view_.rethrow_pending();
    view_.remove_closed_windows();
    view_.settle_places();
}

bool QtWindowSystem::wait_readable(int fd, int timeout_ms) {
    view_.remove_closed_windows();
    view_.run_deferred();
    view_.rethrow_pending();
    bool readable = false;
    {
        QEventLoop loop;
        QSocketNotifier notifier(fd, QSocketNotifier::Read);
        QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
            readable = true;
            loop.quit();
        });
        QTimer::singleShot(std::max(timeout_ms, 0), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        // Input that ends in an exception (the main window closed) ends the wait at once.
        view_.set_wait_loop(&loop);
        loop.exec(QEventLoop::AllEvents);
        view_.set_wait_loop(nullptr);
    }
    view_.rethrow_pending();
    view_.remove_closed_windows();
    return readable;
}

void QtClock::sleep_ms(int ms) {
    if (!QCoreApplication::instance()) {
        SystemClock::sleep_ms(ms);
        return;
    }
    struct Pause {
        explicit Pause(QtView& v) : view(v) { view.begin_pause(); }
        ~Pause() { view.end_pause(); }
        QtView& view;
    } pause(view_);
    if (ms <= 0) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

namespace {

struct ButtonChoice {
    QMessageBox::StandardButton button;
    MsgAnswer answer;
    const char* caption;  // UTF-8
};

constexpr ButtonChoice kOk{QMessageBox::Ok, MsgAnswer::Ok, "OK"};
constexpr ButtonChoice kCancel{QMessageBox::Cancel, MsgAnswer::Cancel, "キャンセル"};
constexpr ButtonChoice kYes{QMessageBox::Yes, MsgAnswer::Yes, "はい(&Y)"};
constexpr ButtonChoice kNo{QMessageBox::No, MsgAnswer::No, "いいえ(&N)"};
constexpr ButtonChoice kRetry{QMessageBox::Retry, MsgAnswer::Retry, "再試行(&R)"};

// The buttons of each kind of box, left to right; the first is the default.
std::vector<ButtonChoice> buttons_of(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok: return {kOk};
        case MsgButtons::OkCancel: return {kOk, kCancel};
        case MsgButtons::YesNo: return {kYes, kNo};
        case MsgButtons::YesNoCancel: return {kYes, kNo, kCancel};
        case MsgButtons::RetryCancel: return {kRetry, kCancel};
    }
    return {kOk};
}

QMessageBox::Icon icon_of(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical: return QMessageBox::Critical;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::Exclamation: return QMessageBox::Warning;
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The desktop draws the title in its own bar, in a bold font beside an icon and the window's
// buttons, where Qt's sizing leaves too little room: an error box's title, which carries the
// error's number, came out cut. The box is made wide enough for it, as far as its own sizing lets
// a box grow on this screen.
void make_room_for_title(QMessageBox& box) {
    constexpr int kTitleBarRoom = 160;  // icon, buttons and margins of the title bar
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    QScreen* screen = box.screen();
    if (!grid || !screen) return;
    QFont bold = box.font();
    bold.setBold(true);
    int wanted = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) * 5 / 4 + kTitleBarRoom;
    int screen_width = screen->availableGeometry().width();
    int widest = screen_width <= 1024 ? screen_width : std::min(screen_width - 480, 1000);
    grid->addItem(new QSpacerItem(std::min(wanted, widest), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

MsgAnswer QtMessageBox::show(const MessageBoxRequest& request) {
    QMessageBox box(view_.dialog_parent(request.owner));
    box.setWindowTitle(to_qstring(request.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(to_qstring(request.text));
    box.setIcon(icon_of(request.icon));
    auto choices = buttons_of(request.buttons);
    for (const auto& choice : choices) {
        QPushButton* button = box.addButton(choice.button);
        button->setText(QString::fromUtf8(choice.caption));
    }
    box.setDefaultButton(choices.front().button);
    make_room_for_title(box);
    view_.exec_modal(box);
    QMessageBox::StandardButton chosen = box.standardButton(box.clickedButton());
    for (const auto& choice : choices) {
        if (choice.button == chosen) return choice.answer;
    }
    // Closed without a button: the answer of the box's escape button.
    for (const auto& choice : choices) {
        if (choice.answer == MsgAnswer::Cancel) return MsgAnswer::Cancel;
    }
    for (const auto& choice : choices) {
        if (choice.answer == MsgAnswer::No) return MsgAnswer::No;
    }
    return choices.front().answer;
}

std::optional<std::string> QtClipboard::text() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return std::string();
    return from_qstring(clipboard->text());
}

void QtClipboard::clear() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear();
}

}  // namespace tv::platform::qt
