// A disk of its own under a folder of a test (a tmpfs of a few hundred KiB mounted there), to be
// filled as a user's disk fills: every process that writes below the folder, the mail component
// included, meets the real "no space left". Mounting needs root, which CI has; where it is not
// allowed, mounted() is false and why() says why, for the test to skip. Unmounted when it goes.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace tv::test {

class SmallDisk {
public:
    SmallDisk(std::filesystem::path where, std::size_t bytes) : where_(std::move(where)) {
        std::filesystem::create_directories(where_);
        std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
        if (::mount("tmpfs", where_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0) {
            mounted_ = true;
        } else {
            why_ = "cannot mount a small tmpfs here (" + std::string(std::strerror(errno)) + ")";
        }
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }

    // Fills the disk with a dot-file of its own until at most `room` bytes are free.
    void fill_leaving(std::size_t room) {
        int fd = ::open((where_ / kFiller).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) return;
        std::vector<char> block(4096, 'x');
        while (free_bytes() > room) {
            std::size_t step = std::min(block.size(), free_bytes() - room);
            if (::write(fd, block.data(), step) <= 0) break;
        }
        ::close(fd);
    }
    // Room made again, as a user makes it: the filler goes.
    void free_space() { ::unlink((where_ / kFiller).c_str()); }

private:
    static constexpr const char* kFiller = ".filler";

    std::size_t free_bytes() const {
        struct statvfs disk {};
        if (::statvfs(where_.c_str(), &disk) != 0) return 0;
        return static_cast<std::size_t>(disk.f_bavail) * disk.f_frsize;
    }

    std::filesystem::path where_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace tv::test
