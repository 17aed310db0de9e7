#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_sound.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>

#include "platform/input.h"
#include "platform/platform.h"
#include "platform/qt/popup_menu.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

struct QtPlatform::Impl {
    Impl(int& argc, char** argv)
        : app(argc, argv), window_system(view), clock(view), message_box(view), popup_menu(view), dialogs(view),
          printer(view) {}
    QApplication app;  // first made, last gone: every widget lives within it
    QTranslator qt_texts;
    QtView view;
    QtWindowSystem window_system;
    QtClock clock;
    QtMessageBox message_box;
    QtSound sound;
    QtPopupMenu popup_menu;
    QtDialogs dialogs;
    QtPrinter printer;
    QtClipboard clipboard;
};

QtPlatform::QtPlatform(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {
    QApplication::setApplicationName(QStringLiteral("talvenor"));
    // The program's own main loop decides when it ends, not the last window.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own dialogs (file dialogs, the folder browser, printing) speak the program's language,
    // whatever the desktop's locale; without the translation installed they stay in English.
    if (impl_->qt_texts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&impl_->qt_texts);
    }
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    QApplication::setFont(font);
}

QtPlatform::~QtPlatform() {
    Services& s = services();
    if (s.view == &impl_->view) {
        s.view = nullptr;
        s.on_program_end = nullptr;
    }
    if (s.clock == &impl_->clock) s.clock = nullptr;
    if (s.message_box == &impl_->message_box) s.message_box = nullptr;
    if (s.window_system == &impl_->window_system) s.window_system = nullptr;
    if (s.popup_menu == &impl_->popup_menu) s.popup_menu = nullptr;
    if (s.sound == &impl_->sound) s.sound = nullptr;
    if (s.dialogs == &impl_->dialogs) s.dialogs = nullptr;
    if (s.printer == &impl_->printer) s.printer = nullptr;
    if (s.clipboard == &impl_->clipboard) s.clipboard = nullptr;
    impl_->view.close_all();
}

void QtPlatform::install() {
    Services& s = services();
    s.clock = &impl_->clock;
    s.message_box = &impl_->message_box;
    s.window_system = &impl_->window_system;
    s.view = &impl_->view;
    s.sound = &impl_->sound;
    QtView* view = &impl_->view;
    s.on_program_end = [view] { view->close_all(); };
    s.popup_menu = &impl_->popup_menu;
    s.dialogs = &impl_->dialogs;
    s.printer = &impl_->printer;
    s.clipboard = &impl_->clipboard;
    // The desktop session ends (log-off, shut-down): the main window is asked to close, as the
    // user would; a refusal keeps the session from ending.
    QObject::connect(&impl_->app, &QGuiApplication::commitDataRequest, &impl_->app, [view](QSessionManager& manager) {
        if (!manager.allowsInteraction()) return;
        bool refused = false;
        view->deliver([&] {
            const std::string& name = services().main_form;
            if (forms().is_loaded(name)) refused = !input::request_close(forms().get(name), input::CloseMode::SessionEnd);
        });
        if (refused) manager.cancel();
        manager.release();
    });
}

Clock& QtPlatform::clock() { return impl_->clock; }
MessageBoxService& QtPlatform::message_box() { return impl_->message_box; }
WindowSystem& QtPlatform::window_system() { return impl_->window_system; }
FormsView& QtPlatform::view() { return impl_->view; }
QtView& QtPlatform::qt_view() { return impl_->view; }
QtPrinter& QtPlatform::qt_printer() { return impl_->printer; }

}  // namespace tv::platform::qt
