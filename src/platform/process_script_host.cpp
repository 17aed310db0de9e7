#include "platform/process_script_host.h"

#include <signal.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <thread>

#include "common/errors.h"
#include "common/exchange_files.h"
#include "platform/platform.h"

extern char** environ;

namespace tv::platform {

namespace {

constexpr int kParseLimit = 120;
constexpr int kTransferLimit = 2 * 60 * 60;

constexpr std::array<ScriptMapping, 5> kScripts{{
    {"sam000.wsf", exchange::command::kCheck, kParseLimit},
    {"sam045.wsf", exchange::command::kReceive, kTransferLimit},
    {"sam046.wsf", exchange::command::kParse, kParseLimit},
    {"sam047.wsf", exchange::command::kParse, kParseLimit},
    {"sam042.wsf", exchange::command::kSend, kTransferLimit},
}};

bool iequal(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

const ScriptMapping* find_script(const std::string& script_name) {
    for (const auto& mapping : kScripts) {
        if (iequal(script_name, mapping.script)) return &mapping;
    }
    return nullptr;
}

ProcessScriptHost::ProcessScriptHost(std::filesystem::path component, std::filesystem::path program_folder)
    : component_(std::move(component)), program_folder_(std::move(program_folder)) {}

void ProcessScriptHost::run_and_wait(const std::string& script_name) {
    const ScriptMapping* mapping = find_script(script_name);
    if (!mapping) raise_error(err::kBadName, "no program for " + script_name);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, program_folder_.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::string program = component_.string();
    std::string subcommand = mapping->subcommand;
    char* argv[] = {program.data(), subcommand.data(), nullptr};
    pid_t pid = 0;
    int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) raise_error(err::kBadName, "cannot start " + program + " for " + script_name);

    // Wait on the real clock: this bound is a fail-safe, not a pause of the program.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(mapping->limit_seconds);
    for (;;) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) return;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return;
        }
        if (auto* windows = services().window_system) windows->dispatch_one_message();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::filesystem::path executable_folder() {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace tv::platform
