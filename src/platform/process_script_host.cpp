#include "platform/process_script_host.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>

#include "common/errors.h"
#include "common/exchange_files.h"
#include "platform/platform.h"
#include "platform/readable_wait.h"

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

using exchange::command::kResidentFlag;
constexpr std::string_view kRequestLine = exchange::command::kResidentRequest;
constexpr std::string_view kStoppedLine = exchange::command::kResidentStoppedRequest;

bool iequal(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return i == a.size() && b[i] == '\0';
}

int pidfd_of(pid_t pid) { return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)); }

// Waits at most `limit_ms` for the end of `pid` on the real clock (a fail-safe, not a pause of the
// program), killing it at the limit, and reaps it either way. With `dispatch`, window messages are
// dispatched meanwhile.
void end_process(pid_t pid, long long limit_ms, bool dispatch) {
    using namespace std::chrono;
    auto deadline = steady_clock::now() + milliseconds(limit_ms);
    int pidfd = pidfd_of(pid);
    for (;;) {
        int status = 0;
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) break;
        auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        int step = static_cast<int>(std::min<long long>(left, 1000));
        if (pidfd >= 0) {
            if (dispatch) {
                wait_readable(pidfd, step);
            } else {
                poll_readable(pidfd, step);
            }
        } else {
            // A kernel without pidfds: short pauses, the window messages dispatched between.
            if (auto* windows = services().window_system; windows && dispatch) windows->dispatch_pending_messages();
            poll_readable(-1, 5);
        }
    }
    if (pidfd >= 0) ::close(pidfd);
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

ProcessScriptHost::~ProcessScriptHost() { stop_helper(false); }

pid_t ProcessScriptHost::spawn(const char* subcommand, bool resident, int stdin_fd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, program_folder_.c_str());
    if (stdin_fd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stdin_fd, STDIN_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    std::string program = component_.string();
    std::string command = subcommand;
    std::string flag = kResidentFlag;
    char* argv[] = {program.data(), command.data(), resident ? flag.data() : nullptr, nullptr};
    pid_t pid = 0;
    int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : 0;
}

void ProcessScriptHost::run_and_wait(const std::string& script_name) {
    const ScriptMapping* mapping = find_script(script_name);
    if (!mapping) raise_error(err::kBadName, "no program for " + script_name);
    if (std::string_view(mapping->subcommand) == exchange::command::kParse) {
        run_parse(*mapping);
    } else {
        run_process(*mapping);
    }
}

void ProcessScriptHost::run_process(const ScriptMapping& mapping) {
    pid_t pid = spawn(mapping.subcommand, false, -1);
    if (pid == 0) raise_error(err::kBadName, "cannot start " + component_.string() + " " + mapping.subcommand);
    end_process(pid, limit(mapping) * 1000LL, true);
}

bool ProcessScriptHost::start_helper() {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
    helper_pid_ = spawn(exchange::command::kParse, true, ends[1]);
    ::close(ends[1]);
    if (helper_pid_ == 0) {
        ::close(ends[0]);
        return false;
    }
    helper_socket_ = ends[0];
    return true;
}

void ProcessScriptHost::stop_helper(bool kill_it) {
    if (helper_pid_ == 0) return;
    // Closing its socket ends a waiting helper; one that is busy or hung is killed.
    ::close(helper_socket_);
    helper_socket_ = -1;
    end_process(helper_pid_, kill_it ? 0 : 2000, false);
    helper_pid_ = 0;
}

bool ProcessScriptHost::send_request(const ScriptMapping& mapping, std::string_view line) {
    if (helper_pid_ == 0 && !start_helper()) {
        raise_error(err::kBadName, "cannot start " + component_.string() + " " + mapping.subcommand);
    }
    ssize_t sent = ::send(helper_socket_, line.data(), line.size(), MSG_NOSIGNAL);
    if (sent == static_cast<ssize_t>(line.size())) return true;
    stop_helper(true);
    return false;
}

void ProcessScriptHost::run_parse(const ScriptMapping& mapping) {
    // A helper that died since the last parse is replaced for this one; a new one that cannot take
    // the request ends the run as a script that wrote nothing.
    if (!send_request(mapping, kRequestLine) && !send_request(mapping, kRequestLine)) return;
    if (await_answer(mapping)) return;
    // The parse was stopped at the limit, or its helper died in it: a new helper writes the mail's
    // unreadable result, so that the program reads the mail as unreadable and goes on.
    if (send_request(mapping, kStoppedLine)) await_answer(mapping);
}

bool ProcessScriptHost::await_answer(const ScriptMapping& mapping) {
    using namespace std::chrono;
    auto deadline = steady_clock::now() + seconds(limit(mapping));
    std::string answer;
    for (;;) {
        auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0) {
            stop_helper(true);
            return false;
        }
        if (!wait_readable(helper_socket_, static_cast<int>(std::min<long long>(left, 1000)))) continue;
        char buffer[64];
        ssize_t n = ::recv(helper_socket_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) {
            stop_helper(true);  // it ended in the middle of the request
            return false;
        }
        answer.append(buffer, static_cast<std::size_t>(n));
        if (answer.find('\n') != std::string::npos) return true;
    }
}

std::filesystem::path executable_folder() {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace tv::platform
