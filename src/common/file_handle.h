// An open file descriptor that is closed on every way out of the scope that holds it, so that an
// error path cannot forget a close.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace tv::files {

class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() { reset(); }
    FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileHandle& operator=(FileHandle&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Gives the descriptor up to a new owner (fdopendir, say).
    int release() { return std::exchange(fd_, -1); }
    // Closes now: 0, or the errno value of a close that failed (a write the file system could only
    // report then). The descriptor is gone either way.
    int close() {
        if (fd_ < 0) return 0;
        int result = ::close(std::exchange(fd_, -1));
        return result == 0 ? 0 : errno;
    }
    void reset() {
        if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    }

private:
    int fd_ = -1;
};

}  // namespace tv::files
