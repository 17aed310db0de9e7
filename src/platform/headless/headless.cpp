#include "platform/headless/headless.h"

#include <chrono>
#include <ctime>

#include "common/errors.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/list_registration.h"
#include "platform/readable_wait.h"
#include "platform/platform.h"

namespace tv::platform::headless {


DateTime VirtualClock::now() { return add_seconds(start_, elapsed_ms_ / 1000); }

void VirtualClock::set_now(DateTime t) {
    start_ = t;
    elapsed_ms_ = 0;
}

void VirtualClock::sleep_ms(int ms) {
    if (ms < 0) ms = 0;
    elapsed_ms_ += ms;
    paused_ms_ += ms;
    pauses_.push_back(ms);
    if (on_sleep) on_sleep(ms);
}

MsgAnswer RecordingMessageBox::show(const MessageBoxRequest& request) {
    shown_.push_back(request);
    while_modal([&] {
        if (while_shown) while_shown(request);
    });
    if (!answers_.empty()) {
        MsgAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    switch (request.buttons) {
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
        case MsgButtons::RetryCancel: return MsgAnswer::Retry;
        default: return MsgAnswer::Ok;
    }
}

void FakeScriptHost::run_and_wait(const std::string& script_name) {
    ++total_;
    ++starts_[script_name];
    if (failing_.count(script_name)) raise_error(err::kBadName, "cannot start " + script_name);
    auto it = actions_.find(script_name);
    if (it != actions_.end()) it->second();
    // Window messages that arrive while the script runs are dispatched during the wait.
    if (while_waiting) while_waiting(script_name);
    if (auto* windows = services().window_system) windows->dispatch_pending_messages();
}

int FakeScriptHost::starts(const std::string& script_name) const {
    auto it = starts_.find(script_name);
    return it == starts_.end() ? 0 : it->second;
}

bool ScriptedWindowSystem::dispatch_one_message() {
    if (messages_.empty()) return false;
    auto message = std::move(messages_.front());
    messages_.pop_front();
    message();
    return true;
}

void ScriptedWindowSystem::dispatch_pending_messages() {
    while (dispatch_one_message()) {
    }
}

bool ScriptedWindowSystem::wait_readable(int fd, int timeout_ms) {
    dispatch_pending_messages();
    return poll_readable(fd, timeout_ms);
}

std::optional<std::string> ScriptedPopupMenu::show(const PopupRequest& request) {
    shown_.push_back(request);
    if (choices_.empty()) return std::nullopt;
    std::optional<std::string> choice = std::move(choices_.front());
    choices_.pop_front();
    if (!choice) return std::nullopt;
    for (const auto& item : request.items) {
        if (item.name == *choice) return item.greyed ? std::nullopt : choice;
    }
    return std::nullopt;
}

InstanceLock FakeSystem::acquire_instance_lock(const std::filesystem::path& folder) {
    locks_taken.push_back(folder);
    if (instance_lock_fails) return InstanceLock::Failed;
    return another_instance_runs ? InstanceLock::HeldByAnother : InstanceLock::Taken;
}

bool FakeSystem::executable_exists(const std::string&) { return !component_missing; }

HeadlessPlatform::HeadlessPlatform() {
    auto& s = services();
    s = Services{};
    s.clock = &clock;
    s.message_box = &message_box;
    s.script_host = &script_host;
    s.window_system = &window_system;
    s.system = &system;
    s.sound = &sound;
    s.popup_menu = &popup_menu;
    s.dialogs = &dialogs;
    s.printer = &printer;
    s.shell = &shell;
    s.clipboard = &clipboard;
    event_queue().clear();
    handlers().clear();
    forms().reset();
    EXT_TABLE() = ExtTable{};
}

HeadlessPlatform::~HeadlessPlatform() {
    event_queue().clear();
    handlers().clear();
    forms().reset();
    services() = Services{};
}

}  // namespace tv::platform::headless
