// Waiting for a file descriptor (a process's pidfd, a helper's socket) without polling.
#pragma once

namespace tv::platform {

// Blocks until `fd` can be read or `timeout_ms` has passed; true when it can be read.
bool poll_readable(int fd, int timeout_ms);

// The same while the window system dispatches window messages (never a queued event); without a
// window system it only blocks.
bool wait_readable(int fd, int timeout_ms);

}  // namespace tv::platform
