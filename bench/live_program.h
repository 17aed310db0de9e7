// The program on the headless platform as the kill campaign runs it: the real start-up sequence on
// a program folder, the wall clock (its pauses take real time), the real mail component and the
// real single-instance lock. Windows are driven through the same input layer the tests use.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/headless/headless.h"
#include "platform/linux_system.h"
#include "platform/process_script_host.h"

namespace tv::bench {

class LiveProgram {
public:
    explicit LiveProgram(const std::filesystem::path& folder);
    ~LiveProgram();
    LiveProgram(const LiveProgram&) = delete;
    LiveProgram& operator=(const LiveProgram&) = delete;

    // The start-up sequence, then loop passes until nothing is left to do; false when it ended the
    // program.
    bool start();
    // Loop passes until one ends with nothing queued.
    void settle();
    // What a user does; each is followed by settle().
    void choose(const std::string& menu_item);  // an item of the main window's menu bar
    // A button of a window; false when the window or the button takes no input.
    bool click(const std::string& form, const std::string& control);
    void click_row(const std::string& form, const std::string& list, int row);
    // The window's close box (closing the main window ends the program when it agrees).
    void close(const std::string& form);
    // Runs a handler as its event would (through the program's error trap), then settles.
    void run(const std::string& handler);

    bool ended() const { return ended_; }
    platform::headless::RecordingMessageBox& boxes() { return platform_.message_box; }

private:
    void trapped(const std::function<void()>& code);

    platform::headless::HeadlessPlatform platform_;
    platform::SystemClock clock_;
    platform::LinuxSystem system_;
    platform::ProcessScriptHost scripts_;
    bool ended_ = false;
};

}  // namespace tv::bench
