// The program on the headless platform as the kill campaign runs it: the real start-up sequence on
// a program folder, the wall clock (its pauses take real time), the real mail component and the
// real single-instance lock. Windows are driven through the same input layer the tests use.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "platform/clock.h"
#include "platform/headless/headless.h"
#include "platform/linux_system.h"
#include "platform/process_script_host.h"

namespace tv::bench {

// The script host the program is given: the real one, counting the starts of each script.
class CountingScriptHost : public platform::ScriptHost {
public:
    explicit CountingScriptHost(platform::ScriptHost* host) : host_(host) {}
    void run_and_wait(const std::string& script_name) override {
        ++starts_[script_name];
        host_->run_and_wait(script_name);
    }
    int starts(const std::string& script_name) const {
        auto found = starts_.find(script_name);
        return found == starts_.end() ? 0 : found->second;
    }

private:
    platform::ScriptHost* host_;
    std::map<std::string, int> starts_;
};

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
    // The user restores the minimised window (from the taskbar).
    void restore(const std::string& form);
    // Loop passes, as the program's own loop runs them while timers go on, until `done` holds
    // after one or `limit_ms` have gone by on the clock; whether `done` held.
    bool run_until(const std::function<bool()>& done, int limit_ms);

    // How often a script of the mail component was started.
    int script_starts(const std::string& script_name) const { return counting_.starts(script_name); }

    bool ended() const { return ended_; }
    platform::headless::RecordingMessageBox& boxes() { return platform_.message_box; }

private:
    void trapped(const std::function<void()>& code);

    platform::headless::HeadlessPlatform platform_;
    platform::SystemClock clock_;
    platform::LinuxSystem system_;
    platform::ProcessScriptHost scripts_;
    CountingScriptHost counting_{&scripts_};
    bool ended_ = false;
};

}  // namespace tv::bench
