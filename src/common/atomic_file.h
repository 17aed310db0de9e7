// Writing a whole file so that nobody finds it half written: the write loops, the temporary file
// beside it (its name form and the sweep of what a killed write left: atomic_temp_names.h), putting
// that file in place, and the one check that a copy does not go onto the file it copies.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/atomic_temp_names.h"
#include "common/file_handle.h"

namespace tv::files {

// The one write loop of the file layer: all of `bytes` to an open file, again after an
// interrupted or short write. False with errno set when a write fails.
bool write_fully(int fd, std::string_view bytes);
// The rest of the open file `in` written to `out`; false with errno set when a read or write fails.
bool copy_fully(int in, int out);
// All of `bytes` to the open file `fd`, the file `disk`, the file-change seam told first. On
// failure the file is closed and a runtime error raised.
void write_whole(int fd, const std::filesystem::path& disk, std::string_view bytes);

// The file a whole-file write to `disk` replaces: `disk` itself or, where the user put a symbolic
// link in its place, the file the link leads to, so that the link stays.
std::filesystem::path write_target(const std::filesystem::path& disk);

// Renames `from` to `to`, a name that must be free: a file that is there stays, and EEXIST is
// given. 0, or the errno value of the failure; `from` is then where it was.
int rename_without_replacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Whether the file `disk` names, every link followed, is the open file `fd`: a copy onto it would
// only empty what it copies.
bool is_open_file(const std::filesystem::path& disk, int fd);

// Whether a whole-file write reaches the disk before the file takes its name: a file that holds
// the whole of something is; a transient exchange file, of which only its appearing whole matters,
// is not.
enum class Durability { Synced, Transient };

// A temporary file of that name form beside the file `disk`, open for writing. It is created
// exclusively, never through a link or over a file already there: a name taken gives way to the
// next counter. `mode` is its permission.
struct AtomicTemp {
    FileHandle file;
    std::filesystem::path path;
};
AtomicTemp create_atomic_temp(const std::filesystem::path& disk, unsigned mode);
// A temporary file of exactly the name `temp`, created in the same way, open for reading and
// writing, with exactly the permission `mode` (whatever the umask); raises when the name is taken.
AtomicTemp create_temp_file(const std::filesystem::path& temp, unsigned mode);
// The rest of the open file `in` copied into a temporary file, the file-change seam told first. On
// failure the temporary file is closed and removed and a runtime error raised.
void copy_into_temp(int in, AtomicTemp& temp);

// Puts a written temporary file in the place of `disk`: synced when asked, closed, renamed over
// it. On failure the temporary file is removed and a runtime error raised.
void put_atomic_temp_in_place(AtomicTemp temp, const std::filesystem::path& disk, Durability durability);
// Gives a written temporary file the name `disk`, which must be free: synced, closed, renamed
// without replacing anything. A file that took the name meanwhile stays as it is: the temporary
// file is removed and error 64 raised.
void put_atomic_temp_under_new_name(AtomicTemp temp, const std::filesystem::path& disk);
// Writes a written temporary file over the file `disk` where it is, so that the file keeps its
// other names, its owner and its mode, and then removes the temporary file. The temporary file is
// synced first, and the room for the file's new size reserved before its first byte changes: a
// full disk refuses there with the file as it was (the temporary file removed, a runtime error
// raised). A kill or a failure half-way through leaves the whole copy in the temporary file (a
// failure keeps it then, and raises a runtime error).
void overwrite_with_atomic_temp(AtomicTemp temp, const std::filesystem::path& disk);

// Rewrites a whole file through a temporary file in the same folder and a rename, so a reader
// never sees it half written. `mode` is the permission of the new file. A file replaced keeps its
// owner and group (the program run as the administrator leaves a user's file the user's). A file
// the user replaced with a symbolic link keeps the link: the file it leads to is replaced, and keeps
// its mode too.
void write_bytes_atomic(std::string_view path, std::string_view bytes, unsigned mode = 0644,
                        Durability durability = Durability::Synced);

// The program's own copy of a file: written beside `to` under the temporary name form and renamed
// over it, so that `to` is the old file or the whole copy, never a part (a full disk leaves it as
// it was). A file replaced keeps its owner, group and mode, and a link of the user's in its place
// stays (the file it leads to is replaced); a new copy is private (0600), whatever the source's
// mode. Raises on failure, and when `to` is `from` itself.
void copy_file(std::string_view from, std::string_view to);

}  // namespace tv::files
