#include "component_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tv::test {

int run_mail_component(const std::filesystem::path& folder, const char* command, const std::filesystem::path& program) {
    pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0) ::_exit(126);
        ::setenv("TZ", kTestTimeZone, 1);
        ::execl(program.c_str(), program.c_str(), command, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string fixture(std::string_view name) {
    std::ifstream in(std::filesystem::path(MAIL_FIXTURES) / name, std::ios::binary);
    if (!in) throw std::runtime_error("missing fixture " + std::string(name));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> files_below(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) found.push_back(std::filesystem::relative(entry.path(), folder).string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace tv::test
