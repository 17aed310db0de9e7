#include "common/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <utility>

#include "common/errors.h"
#include "common/file_changes.h"
#include "common/paths.h"

namespace tv::files {

namespace stdfs = std::filesystem;

namespace {
// Links followed one after another before a name counts as a loop (the system's own bound).
constexpr int kMaxLinkSteps = 40;
}  // namespace

bool write_fully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool copy_fully(int in, int out) {
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        if (!write_fully(out, std::string_view(buffer, static_cast<std::size_t>(n)))) return false;
    }
}

void write_whole(int fd, const stdfs::path& disk, std::string_view bytes) {
    FileHandle closed_on_failure(fd);
    before_change(FileChange::Write, disk, "write");
    if (!write_fully(fd, bytes)) raise_errno(errno, "write " + disk.string());
    closed_on_failure.release();  // written: the caller closes it
}

stdfs::path write_target(const stdfs::path& disk) {
    // Link by link, as an open of the name would follow them, to the name they end at (which need
    // not exist yet); a loop of links gives up where it stands.
    stdfs::path target = disk;
    std::error_code ec;
    for (int step = 0; step < kMaxLinkSteps && stdfs::is_symlink(stdfs::symlink_status(target, ec)); ++step) {
        stdfs::path next = stdfs::read_symlink(target, ec);
        if (ec) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;  // not normalised: a ".." after a linked folder is the linked folder's parent
}

int rename_without_replacing(const stdfs::path& from, const stdfs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system that cannot rename without replacing: a link, which never replaces a file of
    // the name, and then the first name goes (or, when it cannot, the second again).
    if (::link(from.c_str(), to.c_str()) != 0) return errno;
    if (::unlink(from.c_str()) == 0) return 0;
    int e = errno;
    ::unlink(to.c_str());
    return e;
}

bool is_open_file(const stdfs::path& disk, int fd) {
    struct stat named {}, open {};
    return ::stat(disk.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
           named.st_ino == open.st_ino;
}

namespace {

// Names tried for one temporary file before giving up (others only when names are planted).
constexpr int kTempAttempts = 100;

// Creates `temp` exclusively: a link planted under the name is not written through, a file there
// not emptied. -1 with errno set when the name is taken or the open fails.
int open_new_temp(const stdfs::path& temp, unsigned mode) {
    before_change(FileChange::Create, temp, "open");
    return ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

// Closes and removes a temporary file after a failure.
void discard_temp(AtomicTemp& temp) {
    temp.file.reset();
    ::unlink(temp.path.c_str());
}

// The same, and raises the failure.
[[noreturn]] void drop_temp(AtomicTemp& temp, int error_number, std::string_view what) {
    discard_temp(temp);
    raise_errno(error_number, std::string(what) + " " + temp.path.string());
}

// Syncs (when asked) and closes a written temporary file; raises, the file removed, on failure.
void finish_temp(AtomicTemp& temp, Durability durability) {
    if (durability == Durability::Synced && ::fsync(temp.file.get()) != 0) drop_temp(temp, errno, "write");
    if (int e = temp.file.close(); e != 0) drop_temp(temp, e, "write");
}

// Gives a temporary file the owner and group of the file it is to replace, where there is one, and
// its mode when `keep_mode`: a replace changes the bytes, not whose file it is (run as the
// administrator, the new file would be the administrator's, and a user's file closed to its owner).
// A user who may not give a file to another keeps it, as any replace by a rename of theirs does.
void take_owner_of(const stdfs::path& file, AtomicTemp& temp, bool keep_mode) {
    struct stat old {}, now {};
    if (::stat(file.c_str(), &old) != 0) return;
    const int fd = temp.file.get();
    if (::fstat(fd, &now) != 0) drop_temp(temp, errno, "write");
    uid_t owner = old.st_uid == now.st_uid ? static_cast<uid_t>(-1) : old.st_uid;
    gid_t group = old.st_gid == now.st_gid ? static_cast<gid_t>(-1) : old.st_gid;
    if ((owner != static_cast<uid_t>(-1) || group != static_cast<gid_t>(-1)) && ::fchown(fd, owner, group) != 0 &&
        errno != EPERM) {
        drop_temp(temp, errno, "write");
    }
    // After the owner: a change of owner clears the set-id bits.
    if (keep_mode && ::fchmod(fd, old.st_mode & 07777) != 0) drop_temp(temp, errno, "write");
}

// Makes the disk hold `size` bytes for the open file `fd` before it is overwritten where it is, so
// that the overwrite cannot run out of room half-way. Where the file system cannot reserve space
// itself, posix_fallocate writes a zero byte into each new block past the file's end, which
// allocates it just as well and leaves the file's bytes as they were. 0, or the errno value of the
// failure: the file is then as it was (a reservation cut short is taken back).
int reserve_space(int fd, off_t size) {
    struct stat before {};
    if (::fstat(fd, &before) != 0) return errno;
    if (size <= before.st_size) return 0;  // the blocks are there
    int e;
    do {
        e = ::posix_fallocate(fd, before.st_size, size - before.st_size);
    } while (e == EINTR);
    struct stat after {};
    if (e != 0 && ::fstat(fd, &after) == 0 && after.st_size != before.st_size) ::ftruncate(fd, before.st_size);
    return e;
}

}  // namespace

AtomicTemp create_atomic_temp(const stdfs::path& disk, unsigned mode) {
    static std::atomic<unsigned long> counter{0};
    const auto process = static_cast<unsigned long>(::getpid());
    for (int attempt = 1;; ++attempt) {
        stdfs::path temp = disk.parent_path() / atomic_temp_name(disk.filename().string(), process, counter++);
        int fd = open_new_temp(temp, mode);
        if (fd >= 0) return {FileHandle(fd), temp};
        if (errno != EEXIST || attempt == kTempAttempts) raise_errno(errno, "open " + temp.string());
    }
}

AtomicTemp create_temp_file(const stdfs::path& temp, unsigned mode) {
    int fd = open_new_temp(temp, 0600);
    if (fd < 0) raise_errno(errno, "open " + temp.string());
    AtomicTemp created{FileHandle(fd), temp};
    if (::fchmod(fd, mode) != 0) drop_temp(created, errno, "open");
    return created;
}

void copy_into_temp(int in, AtomicTemp& temp) {
    try {
        before_change(FileChange::Write, temp.path, "write");
    } catch (const RuntimeError&) {
        discard_temp(temp);
        throw;
    }
    if (!copy_fully(in, temp.file.get())) drop_temp(temp, errno, "write");
}

void put_atomic_temp_in_place(AtomicTemp temp, const stdfs::path& disk, Durability durability) {
    finish_temp(temp, durability);
    try {
        before_change(FileChange::Rename, temp.path, "rename");
        if (::rename(temp.path.c_str(), disk.c_str()) != 0) raise_errno(errno, "rename " + temp.path.string());
    } catch (const RuntimeError&) {
        ::unlink(temp.path.c_str());
        throw;
    }
}

void put_atomic_temp_under_new_name(AtomicTemp temp, const stdfs::path& disk) {
    finish_temp(temp, Durability::Synced);
    try {
        before_change(FileChange::Rename, temp.path, "rename");
        if (int e = rename_without_replacing(temp.path, disk); e != 0) raise_errno(e, "rename " + temp.path.string());
    } catch (const RuntimeError&) {
        ::unlink(temp.path.c_str());
        throw;
    }
}

void overwrite_with_atomic_temp(AtomicTemp temp, const stdfs::path& disk) {
    if (::fsync(temp.file.get()) != 0) drop_temp(temp, errno, "write");
    try {
        before_change(FileChange::Write, disk, "write");
    } catch (const RuntimeError&) {
        discard_temp(temp);
        throw;
    }
    FileHandle out(::open(disk.c_str(), O_WRONLY | O_CLOEXEC));
    if (!out) drop_temp(temp, errno, "write");
    const int copy = temp.file.get();
    off_t size = ::lseek(copy, 0, SEEK_END);
    if (size < 0) drop_temp(temp, errno, "write");
    // Nothing of the file has changed yet: a disk without room for it refuses here, and the file
    // stays whole, so the copy beside it is not needed.
    if (int e = reserve_space(out.get(), size); e != 0) drop_temp(temp, e, "write");
    bool written = ::lseek(copy, 0, SEEK_SET) == 0 && copy_fully(copy, out.get()) &&
                   ::ftruncate(out.get(), size) == 0 && ::fsync(out.get()) == 0;
    int e = errno;
    if (int closed = out.close(); closed != 0 && written) {
        written = false;
        e = closed;
    }
    temp.file.reset();
    // The file is no longer whole: the whole copy stays beside it, under its telling name.
    if (!written) raise_errno(e, "write " + disk.string());
    try {
        before_change(FileChange::Remove, temp.path, "delete");
        ::unlink(temp.path.c_str());
    } catch (const RuntimeError&) {
        // The file is saved; what is beside it goes with the next save of it.
    }
}

void write_bytes_atomic(std::string_view path, std::string_view bytes, unsigned mode, Durability durability) {
    stdfs::path named = resolve(path);
    stdfs::path disk = write_target(named);
    AtomicTemp temp = create_atomic_temp(disk, mode);
    // A file the user linked elsewhere is the user's own: it keeps its mode too.
    take_owner_of(disk, temp, disk != named);
    // A write that fails (a full disk) leaves no temporary file behind.
    try {
        before_change(FileChange::Write, temp.path, "write");
        if (!write_fully(temp.file.get(), bytes)) raise_errno(errno, "write " + temp.path.string());
    } catch (const RuntimeError&) {
        discard_temp(temp);
        throw;
    }
    put_atomic_temp_in_place(std::move(temp), disk, durability);
}

void copy_file(std::string_view from, std::string_view to) {
    stdfs::path source = resolve(from);
    std::error_code ec;
    if (!stdfs::is_regular_file(source, ec)) raise_error(err::kNotFound, "file not found: " + source.string());
    before_change(FileChange::Copy, source, "copy");
    FileHandle in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in) raise_errno(errno, "copy " + source.string());
    stdfs::path target = write_target(resolve(to));
    // A file onto itself: the copy would only stand for what it copies.
    if (is_open_file(target, in.get())) raise_errno(EEXIST, "copy " + source.string());
    // A new copy is private, as every file the program makes in its folder, whatever the mode of
    // what it copies (a shipped seed, a user's file); a file replaced keeps its owner and mode.
    AtomicTemp temp = create_atomic_temp(target, 0600);
    take_owner_of(target, temp, true);
    copy_into_temp(in.get(), temp);
    put_atomic_temp_in_place(std::move(temp), target, Durability::Synced);
}

}  // namespace tv::files
