#include "mail/parse/result_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/paths.h"
#include "common/text_file.h"

namespace tv::mail {

void replace_file(std::string_view path, const std::vector<std::string>& lines) {
    auto [folder, name] = files::split_folder_name(path);
    if (!folder.empty()) files::make_folder(folder);
    std::filesystem::path disk = files::resolve(path);
    // The atomic writer's temporary name, so that the program's start removes one a kill left.
    std::filesystem::path temp =
        disk.parent_path() / files::atomic_temp_name(disk.filename().string(), static_cast<unsigned long>(::getpid()), 0);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) files::raise_errno(errno, "open " + temp.string());
    std::string bytes = files::join_lines(lines);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int e = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            files::raise_errno(e, "write " + temp.string());
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0 || ::rename(temp.c_str(), disk.c_str()) != 0) {
        int e = errno;
        ::unlink(temp.c_str());
        files::raise_errno(e, "write " + disk.string());
    }
}

}  // namespace tv::mail
