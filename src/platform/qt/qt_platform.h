// The platform for people: a Qt application whose windows show the forms model, with the Qt
// clock, message box and window system. Includes no Qt header, so the program's main can use it.
#pragma once

#include <memory>

#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/services.h"

namespace tv::platform::qt {

class QtView;
class QtPrinter;

class QtPlatform {
public:
    // Creates the Qt application (QT_QPA_PLATFORM and Qt's command-line options are honoured);
    // argc and argv must outlive the platform.
    QtPlatform(int& argc, char** argv);
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // Makes this the current platform in services(): clock, message box, window system, view,
    // sound, popup menus, dialogs, printer, clipboard and the program-end hook (which removes every
    // window). The script host and the shell are the caller's.
    void install();

    Clock& clock();
    MessageBoxService& message_box();
    WindowSystem& window_system();
    FormsView& view();
    QtView& qt_view();  // the widgets behind the view (tests look at them)
    QtPrinter& qt_printer();  // tests print into a PDF file

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tv::platform::qt
