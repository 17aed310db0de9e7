// The platform for tests and benchmarks: virtual time, scripted answers, recorders.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/headless/desktop_services.h"
#include "platform/services.h"

namespace tv::platform::headless {

// Advances instantly on every sleep and records it.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(DateTime start = DateTime{2026, 12, 10, 9, 0, 0}) : start_(start) {}
    DateTime now() override;
    std::int64_t ticks_ms() override { return elapsed_ms_; }
    void sleep_ms(int ms) override;

    // Moves time on without counting a pause of the program.
    void advance(std::int64_t ms) { elapsed_ms_ += ms; }
    void set_now(DateTime t);

    std::int64_t paused_ms() const { return paused_ms_; }
    const std::vector<int>& pauses() const { return pauses_; }
    void reset_pauses() {
        paused_ms_ = 0;
        pauses_.clear();
    }
    // Called on every sleep (tests use it to act "meanwhile"); may be empty.
    std::function<void(int)> on_sleep;

private:
    DateTime start_;
    std::int64_t elapsed_ms_ = 0;
    std::int64_t paused_ms_ = 0;
    std::vector<int> pauses_;
};

// Records every box; answers from a script of answers, else with its first button.
class RecordingMessageBox : public MessageBoxService {
public:
    MsgAnswer show(const MessageBoxRequest& request) override;

    void answer_next(MsgAnswer answer) { answers_.push_back(answer); }
    const std::vector<MessageBoxRequest>& shown() const { return shown_; }
    void clear() {
        shown_.clear();
        answers_.clear();
    }
    // Runs while a box is shown (window messages are dispatched then); may be empty.
    std::function<void(const MessageBoxRequest&)> while_shown;

private:
    std::vector<MessageBoxRequest> shown_;
    std::deque<MsgAnswer> answers_;
};

// Performs what a test says for each start of a script; counts the starts.
class FakeScriptHost : public ScriptHost {
public:
    using Action = std::function<void()>;
    void run_and_wait(const std::string& script_name) override;

    void on(const std::string& script_name, Action action) { actions_[script_name] = std::move(action); }
    // The script cannot be started: its start raises error 55.
    void fail_to_start(const std::string& script_name) { failing_[script_name] = true; }
    int starts(const std::string& script_name) const;
    bool has(const std::string& script_name) const { return actions_.count(script_name) != 0; }
    int total_starts() const { return total_; }
    // Runs while a script is waited for (window messages are dispatched then); may be empty.
    std::function<void(const std::string&)> while_waiting;

private:
    std::map<std::string, Action> actions_;
    std::map<std::string, bool> failing_;
    std::map<std::string, int> starts_;
    int total_ = 0;
};

// Window messages scripted by the test, dispatched one at a time.
class ScriptedWindowSystem : public WindowSystem {
public:
    bool dispatch_one_message() override;
    void dispatch_pending_messages() override;
    // Dispatches the posted messages, then blocks on `fd`.
    bool wait_readable(int fd, int timeout_ms) override;
    void post_message(std::function<void()> message) { messages_.push_back(std::move(message)); }
    std::size_t waiting() const { return messages_.size(); }

private:
    std::deque<std::function<void()>> messages_;
};

// System answers set by the test.
class FakeSystem : public SystemInfo {
public:
    InstanceLock acquire_instance_lock(const std::filesystem::path& folder) override;
    int menu_bar_height() override { return menu_bar; }
    std::string desktop_folder() override { return desktop; }
    bool executable_exists(const std::string& path) override;

    bool another_instance_runs = false;
    bool instance_lock_fails = false;
    std::vector<std::filesystem::path> locks_taken;
    int menu_bar = 20;
    std::string desktop;
    bool component_missing = false;
};

// Records what was played and counts the beeps.
class RecordingSound : public SoundService {
public:
    void play_and_wait(const std::string& disk_path) override { played.push_back(disk_path); }
    void beep() override { ++beeps; }
    std::vector<std::string> played;
    int beeps = 0;
};

// Records every popup menu shown; chooses from a script of choices, else dismisses the menu. A
// scripted choice of a greyed or unknown item chooses nothing, as a real menu would not let it.
class ScriptedPopupMenu : public PopupMenuService {
public:
    std::optional<std::string> show(const PopupRequest& request) override;

    void choose_next(std::optional<std::string> item) { choices_.push_back(std::move(item)); }
    const std::vector<PopupRequest>& shown() const { return shown_; }
    void clear() {
        shown_.clear();
        choices_.clear();
    }

private:
    std::vector<PopupRequest> shown_;
    std::deque<std::optional<std::string>> choices_;
};

// All of the above, installed as the current platform for its lifetime.
class HeadlessPlatform {
public:
    HeadlessPlatform();
    ~HeadlessPlatform();
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    VirtualClock clock;
    RecordingMessageBox message_box;
    FakeScriptHost script_host;
    ScriptedWindowSystem window_system;
    FakeSystem system;
    RecordingSound sound;
    ScriptedPopupMenu popup_menu;
    ScriptedDialogs dialogs;
    RecordingPrinter printer;
    RecordingShell shell;
    FakeClipboard clipboard;
};

}  // namespace tv::platform::headless
