// The file layer's one mapping from the system's paths to the disk.
//
// Paths are written as the system writes them ("SYSTEM_F\CHECK.txt"): CP932 bytes, "\" or "/" as
// separators, relative to the program folder unless they begin with "/". On disk names are UTF-8.
// Inside the program folder names match without regard to ASCII case: the exact name first, else a
// case-blind match, so a file created as "JOB_F_JU.TXT" is the same file as "JOB_F_JU.txt". An
// absolute path elsewhere (one the user chose) names exactly the file it spells.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tv::files {

void set_program_folder(const std::filesystem::path& folder);
const std::filesystem::path& program_folder();

// The disk path of a system path (existing case variants in the program folder are reused, for
// reading and creating).
std::filesystem::path resolve(std::string_view path);

// Whether a path, every link on its way followed, lies in the program folder or below it, whatever
// its spelling (links, ".."): the folder whose files the program itself replaces and deletes
// (TENPFIL is emptied at exit). For the files the user chooses to attach. The user's saves ask
// write_reaches_program_tree (program_tree.h), which also knows every folder of the tree linked
// elsewhere.
bool resolves_inside_program_folder(std::string_view path);

// Whether a system path stays in the program folder as it is written, no link followed: relative,
// without a ".." step, and mapped below the program folder. Unlike resolves_inside_program_folder,
// a store folder the user has linked elsewhere still counts as the program's own. For paths the
// program wrote down itself and reads back (a record may have been changed by anyone).
bool written_inside_program_folder(std::string_view path);

// Opens a file or folder of the program folder along a way that passes no symbolic link, the last
// step included (openat with O_NOFOLLOW at each step; `flags` for the last). -1 when a link is in
// the way, the path leaves the program folder, or the open fails.
int open_without_links(std::string_view path, int flags);

// Joins a folder and a name with "\".
std::string join(std::string_view folder, std::string_view name);

// Splits at the last "\" or "/" (CP932-aware): {folder without separator, name}.
std::pair<std::string, std::string> split_folder_name(std::string_view path);

bool file_exists(std::string_view path);    // a plain file
bool folder_exists(std::string_view path);
std::uintmax_t file_size(std::string_view path);  // 0 when missing

// Deletes a plain file; false when there was none. Other failures raise a runtime error.
bool remove_if_exists(std::string_view path);
// Deletes a plain file; raises error 63 when it does not exist.
void remove_file(std::string_view path);
// Renames; raises on failure.
void rename_file(std::string_view from, std::string_view to);
// Creates a folder when missing; reports nothing.
void make_folder(std::string_view path);
// Deletes a folder with everything in it; false when it could not be deleted (or was none).
bool remove_folder_tree(std::string_view path);

// The one order of every listing and sorted list: ASCII case-blind, byte-wise, double-byte
// characters compared as they are, then the raw bytes to break ties.
bool name_less(std::string_view a, std::string_view b);
// Sorts into that order, each name's key computed once; a list already in order is only checked.
void sort_names(std::vector<std::string>& names);
// Whether two names are one name to the file system here (ASCII case-blind).
bool same_name(std::string_view a, std::string_view b);

// Bare CP932 names of the plain files directly in a folder (no sub-folders, no dot-files), in the
// one listing order. A missing folder gives an empty list; names CP932 cannot hold are left out.
std::vector<std::string> list_folder_files(std::string_view folder);

// Maps an errno value to the system's runtime error and raises it.
[[noreturn]] void raise_errno(int error_number, std::string_view what);

}  // namespace tv::files
