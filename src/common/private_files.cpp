#include "common/private_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/exchange_files.h"
#include "common/paths.h"

namespace tv::files {

namespace {

constexpr mode_t kPrivateMask = 077;

struct UserMask {
    bool known = false;
    mode_t mask = 0;
};

UserMask& user_mask() {
    static UserMask remembered;
    return remembered;
}

}  // namespace

void keep_files_private() {
    mode_t before = ::umask(kPrivateMask);
    // A later start within the same process finds the mask set here, not the user's.
    UserMask& user = user_mask();
    if (!user.known || before != kPrivateMask) user = {true, before};
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

unsigned user_file_mode() {
    UserMask& user = user_mask();
    if (!user.known) {
        mode_t now = ::umask(kPrivateMask);
        ::umask(now);
        return 0666 & ~now;
    }
    return 0666 & ~user.mask;
}

}  // namespace tv::files
