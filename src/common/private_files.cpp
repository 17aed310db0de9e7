#include "common/private_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/exchange_files.h"
#include "common/paths.h"

namespace tv::files {

namespace {

constexpr mode_t kPrivateMask = 077;

}  // namespace

void keep_files_private() {
    ::umask(kPrivateMask);
    close_to_others(exchange::kAccountFile);
}

void close_to_others(std::string_view path) {
    int fd = open_without_links(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) && (st.st_mode & 077) != 0) {
        ::fchmod(fd, st.st_mode & 07700);
    }
    ::close(fd);
}

}  // namespace tv::files
