#include "platform/linux_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tv::platform {

InstanceLock LinuxSystem::acquire_instance_lock(const std::filesystem::path& folder) {
    std::filesystem::path path = folder / ".talvenor.lock";
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return InstanceLock::Failed;
    int result = 0;
    while ((result = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? InstanceLock::HeldByAnother : InstanceLock::Failed;
    }
    if (lock_fd_ >= 0) ::close(lock_fd_);
    lock_fd_ = fd;  // held until the process ends
    return InstanceLock::Taken;
}

std::string LinuxSystem::desktop_folder() {
    namespace fs = std::filesystem;
    const char* home_env = std::getenv("HOME");
    std::string home = home_env ? home_env : "";
    if (home.empty()) return {};
    // XDG_DESKTOP_DIR from user-dirs.dirs, e.g. XDG_DESKTOP_DIR="$HOME/Desktop".
    const char* config_env = std::getenv("XDG_CONFIG_HOME");
    std::string config = (config_env && *config_env) ? config_env : home + "/.config";
    std::ifstream dirs(config + "/user-dirs.dirs");
    std::string line;
    while (std::getline(dirs, line)) {
        const std::string key = "XDG_DESKTOP_DIR=";
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        std::error_code ec;
        if (!value.empty() && fs::is_directory(value, ec)) return value;
    }
    std::error_code ec;
    if (fs::is_directory(home + "/Desktop", ec)) return home + "/Desktop";
    // A desktop without a Desktop folder puts its files in the home folder.
    if (fs::is_directory(home, ec)) return home;
    return {};
}

bool LinuxSystem::executable_exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace tv::platform
