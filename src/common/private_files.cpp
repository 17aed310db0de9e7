#include "common/private_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/atomic_file.h"
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

// Closes a file on every way out.
struct OpenFile {
    int fd;
    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
};

// Writes `in` into a new file at `target` with the user's mode; removes it again when that fails.
void copy_to_new_file(int in, const std::filesystem::path& target) {
    int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) raise_errno(errno, "copy to " + target.string());
    bool copied = ::fchmod(out, user_file_mode()) == 0 && copy_fully(in, out);
    int e = errno;
    if (::close(out) != 0 && copied) {
        copied = false;
        e = errno;
    }
    if (!copied) {
        ::unlink(target.c_str());
        raise_errno(e, "copy to " + target.string());
    }
}

// Writes `in` beside the existing file `target` (its permission `mode`) and renames it over it.
// A link is replaced where it leads, so that the user's link stays.
void copy_over_file(int in, const std::filesystem::path& target, mode_t mode) {
    std::error_code ec;
    std::filesystem::path real = std::filesystem::canonical(target, ec);
    if (ec) raise_errno(ec.value(), "copy to " + target.string());
    AtomicTemp temp = create_atomic_temp(real, 0600);
    try {
        before_change(FileChange::Write, temp.path, "write");
        if (::fchmod(temp.fd, mode) != 0 || !copy_fully(in, temp.fd)) raise_errno(errno, "copy to " + target.string());
    } catch (const RuntimeError&) {
        ::close(temp.fd);
        ::unlink(temp.path.c_str());
        throw;
    }
    put_atomic_temp_in_place(temp, real, Durability::Synced);
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

CopyOutcome copy_file_for_user(std::string_view from, std::string_view to) {
    std::filesystem::path source = resolve(from);
    std::filesystem::path target = resolve(to);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(source, ec)) raise_error(err::kNotFound, "file not found: " + source.string());
    OpenFile in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0) raise_errno(errno, "open " + source.string());
    if (is_open_file(target, in.fd)) return CopyOutcome::SameFile;
    // Any link followed: the file the target names in the end.
    struct stat to_status {};
    bool replacing = ::stat(target.c_str(), &to_status) == 0;
    if (replacing && !S_ISREG(to_status.st_mode)) {
        raise_errno(S_ISDIR(to_status.st_mode) ? EISDIR : EINVAL, "copy to " + target.string());
    }
    before_change(FileChange::Copy, source, "copy");
    // Created here: the mode is the user's. Already there (the user chose to replace it): its mode stays.
    if (replacing) {
        copy_over_file(in.fd, target, to_status.st_mode & 07777);
    } else {
        copy_to_new_file(in.fd, target);
    }
    return CopyOutcome::Copied;
}

}  // namespace tv::files
