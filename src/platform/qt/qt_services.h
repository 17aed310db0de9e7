// The Qt implementations of the window system, the clock's pause and the message box.
#pragma once

#include "platform/clock.h"
#include "platform/services.h"

namespace tv::platform::qt {

class QtView;

// Window messages are Qt's events: painting, input on the windows (which becomes queued events of
// the program through the view) and close requests (whose handler runs at once).
class QtWindowSystem : public WindowSystem {
public:
    explicit QtWindowSystem(QtView& view) : view_(view) {}
    bool dispatch_one_message() override;
    void dispatch_pending_messages() override;
    bool wait_readable(int fd, int timeout_ms) override;

private:
    QtView& view_;
};

// The wall clock; a pause keeps the windows painted but delivers no input: a close request or a
// minimising that arrives meanwhile waits for the next dispatch of window messages.
class QtClock : public SystemClock {
public:
    explicit QtClock(QtView& view) : view_(view) {}
    void sleep_ms(int ms) override;

private:
    QtView& view_;
};

// A modal box over the owner's window (when it is shown), or over the window kept on top when one
// shows, with the program's CP932 title and text.
class QtMessageBox : public MessageBoxService {
public:
    explicit QtMessageBox(QtView& view) : view_(view) {}
    MsgAnswer show(const MessageBoxRequest& request) override;

private:
    QtView& view_;
};

// The desktop's clipboard, its text in CP932.
class QtClipboard : public ClipboardService {
public:
    std::optional<std::string> text() override;
    void clear() override;
};

}  // namespace tv::platform::qt
