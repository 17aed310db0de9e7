#include "common/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "common/paths.h"

namespace tv::files {

bool lock_held_elsewhere(std::string_view path) {
    int fd = ::open(resolve(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    int result;
    while ((result = ::flock(fd, LOCK_SH | LOCK_NB)) != 0 && errno == EINTR) {
    }
    bool held = result != 0 && errno == EWOULDBLOCK;
    ::close(fd);  // closing lets go of the shared lock just taken
    return held;
}

}  // namespace tv::files
