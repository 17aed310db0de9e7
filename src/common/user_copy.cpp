#include "common/user_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "common/atomic_file.h"
#include "common/errors.h"
#include "common/file_changes.h"
#include "common/file_handle.h"
#include "common/paths.h"
#include "common/private_files.h"

namespace tv::files {

namespace stdfs = std::filesystem;

namespace {

// Where a save writes its copy before the copy takes its place: hidden, and saying what it is to a
// user who finds it after a kill.
stdfs::path unfinished_save_of(const stdfs::path& target) {
    return target.parent_path() / ("." + target.filename().string() + ".unfinished-save");
}

bool in_group(gid_t gid) {
    if (gid == ::getegid()) return true;
    int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    return count > 0 && std::find(groups.begin(), groups.begin() + count, gid) != groups.begin() + count;
}

// Whether the user may write the file: its permission bits let the user write it (as its owner,
// one of its group, or another), and the system agrees. A write-protected file stays protected for
// the administrator too.
bool user_may_write(const stdfs::path& file, const struct stat& status) {
    mode_t bit = status.st_uid == ::geteuid() ? S_IWUSR : in_group(status.st_gid) ? S_IWGRP : S_IWOTH;
    return (status.st_mode & bit) != 0 && ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0;
}

// Whether renaming the written copy over the file would change what the file is: its other names
// would keep the old bytes, or it would get the copy's owner or mode.
bool rename_would_change(const struct stat& file, int copy) {
    struct stat written {};
    if (::fstat(copy, &written) != 0) return true;
    return file.st_nlink > 1 || file.st_uid != written.st_uid || file.st_gid != written.st_gid ||
           (file.st_mode & 07777) != (written.st_mode & 07777);
}

// Removes what a killed save of the same file left beside it.
void remove_unfinished_save(const stdfs::path& beside) {
    struct stat status {};
    if (::lstat(beside.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) return;
    before_change(FileChange::Remove, beside, "delete");
    if (::unlink(beside.c_str()) != 0 && errno != ENOENT) raise_errno(errno, "delete " + beside.string());
}

}  // namespace

CopyOutcome copy_file_for_user(std::string_view from, std::string_view to) {
    stdfs::path source = resolve(from);
    std::error_code ec;
    if (!stdfs::is_regular_file(source, ec)) raise_error(err::kNotFound, "file not found: " + source.string());
    FileHandle in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in) raise_errno(errno, "open " + source.string());
    // A link of the user's leads to the file replaced, and stays.
    stdfs::path target = write_target(resolve(to));
    if (is_open_file(target, in.get())) return CopyOutcome::SameFile;
    struct stat old {};
    bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) {
        raise_errno(S_ISDIR(old.st_mode) ? EISDIR : EINVAL, "copy to " + target.string());
    }
    if (replacing && !user_may_write(target, old)) raise_errno(EACCES, "copy to " + target.string());
    before_change(FileChange::Copy, source, "copy");
    stdfs::path beside = unfinished_save_of(target);
    remove_unfinished_save(beside);
    // Created here: the mode is the user's. Already there (the user chose to replace it): its mode stays.
    AtomicTemp copy = create_temp_file(beside, replacing ? old.st_mode & 07777 : user_file_mode());
    copy_into_temp(in.get(), copy);
    if (!replacing) {
        put_atomic_temp_under_new_name(std::move(copy), target);
    } else if (rename_would_change(old, copy.file.get())) {
        overwrite_with_atomic_temp(std::move(copy), target);
    } else {
        put_atomic_temp_in_place(std::move(copy), target, Durability::Synced);
    }
    return CopyOutcome::Copied;
}

}  // namespace tv::files
