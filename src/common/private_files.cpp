#include "common/private_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/errors.h"
#include "common/exchange_files.h"
#include "common/file_changes.h"
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

// Writes all of `in` to `out`; false with errno set when a read or write failed.
bool copy_bytes(int in, int out) {
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) return false;
            done += w;
        }
    }
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

void copy_file_for_user(std::string_view from, std::string_view to) {
    std::filesystem::path source = resolve(from);
    std::filesystem::path target = resolve(to);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(source, ec)) raise_error(err::kNotFound, "file not found: " + source.string());
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) raise_errno(errno, "open " + source.string());
    try {
        before_change(FileChange::Copy, source, "copy");
    } catch (...) {
        ::close(in);
        throw;
    }
    // Created here: the mode is the user's. Already there (the user chose to replace it): its mode stays.
    bool created = true;
    int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0 && errno == EEXIST) {
        created = false;
        out = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    }
    if (out < 0) {
        int e = errno;
        ::close(in);
        raise_errno(e, "copy " + source.string());
    }
    bool copied = (!created || ::fchmod(out, user_file_mode()) == 0) && copy_bytes(in, out);
    int e = errno;
    ::close(in);
    if (::close(out) != 0 && copied) {
        copied = false;
        e = errno;
    }
    if (!copied) {
        if (created) ::unlink(target.c_str());
        raise_errno(e, "copy " + source.string());
    }
}

}  // namespace tv::files
