#include "platform/readable_wait.h"

#include <poll.h>

#include <cerrno>
#include <chrono>

#include "platform/platform.h"

namespace tv::platform {

bool poll_readable(int fd, int timeout_ms) {
    using namespace std::chrono;
    auto deadline = steady_clock::now() + milliseconds(timeout_ms);
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        int left = static_cast<int>(duration_cast<milliseconds>(deadline - steady_clock::now()).count());
        int n = ::poll(&p, 1, left > 0 ? left : 0);
        if (n > 0) return true;  // readable, or hung up: a read tells which
        if (n == 0) return false;
        if (errno != EINTR) return true;  // a broken descriptor: let the caller's read find out
    }
}

bool wait_readable(int fd, int timeout_ms) {
    if (auto* windows = services().window_system) return windows->wait_readable(fd, timeout_ms);
    return poll_readable(fd, timeout_ms);
}

}  // namespace tv::platform
