#include "live_program.h"

#include <exception>

#include "common/globals.h"
#include "common/paths.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "program/install_program.h"
#include "shell/error_trap.h"
#include "shell/event_loop.h"
#include "shell/startup.h"

namespace tv::bench {

namespace pf = tv::platform;

namespace {

std::filesystem::path component() { return pf::executable_folder() / "talvenor-mail"; }

// Set before any member is built: the script host and the platform read it.
const std::filesystem::path& program_folder_set(const std::filesystem::path& folder) {
    files::set_program_folder(folder);
    reset_globals();
    return folder;
}

}  // namespace

LiveProgram::LiveProgram(const std::filesystem::path& folder)
    : scripts_(component(), program_folder_set(folder)) {
    auto& s = pf::services();
    s.clock = &clock_;
    s.system = &system_;
    s.script_host = &counting_;
    s.component_path = component().string();
}

LiveProgram::~LiveProgram() {
    pf::services().script_host = nullptr;
    pf::services().system = nullptr;
    pf::services().clock = nullptr;
}

void LiveProgram::trapped(const std::function<void()>& code) {
    try {
        try {
            code();
        } catch (const std::exception& e) {
            shell::GLOBAL_ERROR_TRAP(shell::error_number_of(e));
        }
    } catch (const pf::ProgramEnd&) {
        ended_ = true;
    }
}

bool LiveProgram::start() {
    install_program();
    trapped(shell::START_UP_SEQUENCE);
    settle();
    return !ended_;
}

void LiveProgram::settle() {
    for (int pass = 0; pass < 2000 && !ended_; ++pass) {
        trapped(shell::event_loop_pass);
        if (pf::event_queue().empty() && platform_.window_system.waiting() == 0) break;
    }
}

void LiveProgram::choose(const std::string& menu_item) {
    pf::input::click(pf::form("MAINFORM").control(menu_item));
    settle();
}

bool LiveProgram::click(const std::string& form, const std::string& control) {
    if (!pf::forms().is_loaded(form)) return false;
    bool taken = pf::input::click(pf::form(form).control(control));
    settle();
    return taken;
}

void LiveProgram::click_row(const std::string& form, const std::string& list, int row) {
    pf::input::click_row(pf::form(form).control(list), row);
    settle();
}

void LiveProgram::close(const std::string& form) {
    if (!pf::forms().is_loaded(form)) return;
    // The close request runs the window's handler at once: it may end the program.
    trapped([&form] { pf::input::request_close(pf::form(form)); });
    settle();
}

void LiveProgram::run(const std::string& handler) {
    pf::event_queue().post(handler);
    settle();
}

void LiveProgram::restore(const std::string& form) {
    if (!pf::forms().is_loaded(form)) return;
    trapped([&form] { pf::input::set_minimized(pf::form(form), false); });
    settle();
}

bool LiveProgram::run_until(const std::function<bool()>& done, int limit_ms) {
    std::int64_t end = clock_.ticks_ms() + limit_ms;
    while (!ended_ && clock_.ticks_ms() < end) {
        trapped(shell::event_loop_pass);
        if (done()) return true;
    }
    return false;
}

}  // namespace tv::bench
