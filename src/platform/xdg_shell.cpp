#include "platform/xdg_shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gio/gdesktopappinfo.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>

#include "common/errors.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "platform/readable_wait.h"

extern char** environ;

namespace tv::platform {

namespace {

enum class Ran { Answered, Failed, NotAnswering };

struct Answer {
    Ran ran = Ran::Failed;
    std::string first_line;  // trimmed of blanks and line ends
};

// Runs a program with its arguments, in a process group of its own, for the first line it writes.
// Failed: it could not be started or ended with a failure. NotAnswering: it had not ended at the
// limit; it is killed with everything it started.
Answer first_line_of(std::vector<std::string> args, std::chrono::milliseconds limit) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        return {};
    }
    using namespace std::chrono;
    auto deadline = steady_clock::now() + limit;
    auto left_ms = [&] {
        return static_cast<int>(std::max<long long>(0, duration_cast<milliseconds>(deadline - steady_clock::now()).count()));
    };
    std::string out;
    char buffer[512];
    // Read to the end of its output, then wait for its end, both within the limit.
    while (poll_readable(fds[0], left_ms())) {
        ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(fds[0]);
    int status = 0;
    pid_t done = 0;
    while ((done = ::waitpid(pid, &status, WNOHANG)) == 0 && left_ms() > 0) poll_readable(-1, 5);
    if (done != pid) {
        ::kill(-pid, SIGKILL);
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return {Ran::NotAnswering, {}};
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    out = out.substr(0, out.find('\n'));
    while (!out.empty() && (out.back() == ' ' || out.back() == '\r')) out.pop_back();
    return {Ran::Answered, out};
}

// Starts the program of a desktop entry (an ID such as "mailer.desktop") on a file, as the desktop
// does: GIO finds the entry and expands its command line.
bool launch_desktop_entry(const std::string& id, const std::string& disk_path) {
    GDesktopAppInfo* info = g_desktop_app_info_new(id.c_str());
    if (!info) return false;
    GFile* file = g_file_new_for_path(disk_path.c_str());
    GList* files = g_list_append(nullptr, file);
    GError* error = nullptr;
    bool started = g_app_info_launch(G_APP_INFO(info), files, nullptr, &error);
    if (error) g_error_free(error);
    g_list_free(files);
    g_object_unref(file);
    g_object_unref(info);
    return started;
}

}  // namespace

XdgShell::~XdgShell() { reap_finished(); }

// Whether the desktop has a program for this file's type. When xdg-mime is missing or does not
// answer, the question cannot be asked, and xdg-open is left to find one.
bool XdgShell::has_program_for(const std::string& disk_path) const {
    Answer type = first_line_of({"xdg-mime", "query", "filetype", disk_path}, answer_limit_);
    if (type.ran == Ran::NotAnswering) return true;
    if (type.ran == Ran::Failed) return first_line_of({"xdg-mime", "--version"}, answer_limit_).ran != Ran::Answered;
    if (type.first_line.empty()) return false;
    Answer program = first_line_of({"xdg-mime", "query", "default", type.first_line}, answer_limit_);
    return program.ran == Ran::NotAnswering || !program.first_line.empty();
}

std::filesystem::path XdgShell::existing_file(const std::string& path) const {
    std::filesystem::path disk = files::resolve(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(disk, ec)) raise_error(err::kNotFound, "no file " + path);
    return disk;
}

void XdgShell::open_document(const std::string& path) {
    std::filesystem::path disk = existing_file(path);
    if (!has_program_for(disk.string())) raise_error(err::kBadName, "no program opens " + path);
    start_detached(disk.string());
}

void XdgShell::open_document_as(const std::string& path, const std::string& mime_type) {
    std::filesystem::path disk = existing_file(path);
    Answer program = first_line_of({"xdg-mime", "query", "default", mime_type}, answer_limit_);
    if (program.ran != Ran::Answered) return start_detached(disk.string());
    if (program.first_line.empty()) raise_error(err::kBadName, "no program for " + mime_type);
    reap_finished();
    if (!launch_desktop_entry(program.first_line, disk.string())) {
        raise_error(err::kBadName, "cannot start " + program.first_line);
    }
}

void XdgShell::open_address(const std::string& address) { start_detached(to_utf8(address)); }

void XdgShell::start_detached(const std::string& target) {
    reap_finished();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own: the opened program outlives us and our terminal.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string program = "xdg-open";
    std::string argument = target;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) raise_error(err::kBadName, "cannot start xdg-open");
    started_.push_back(pid);
}

void XdgShell::reap_finished() {
    std::erase_if(started_, [](pid_t pid) {
        int status = 0;
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        return done == pid || (done < 0 && errno == ECHILD);
    });
}

}  // namespace tv::platform
