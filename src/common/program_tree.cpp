#include "common/program_tree.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "common/atomic_file.h"
#include "common/folder_index.h"
#include "common/paths.h"

namespace tv::files {

namespace stdfs = std::filesystem;

namespace {

// Folders walked before the tree counts as too large to know (a link of it leading to a whole disk):
// many times the folders of any program folder.
constexpr std::size_t kMaxTreeFolders = 100000;

// A file or folder by what it is on disk, whatever path reaches it (a link, another spelling of a
// case-blind file system, a bind mount).
struct Identity {
    dev_t device;
    ino_t inode;
    auto operator<=>(const Identity&) const = default;
};

std::optional<Identity> identity_of(const stdfs::path& path, nlink_t* links = nullptr) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    if (links) *links = st.st_nlink;
    return Identity{st.st_dev, st.st_ino};
}

// Where a write to `path` creates or changes its file: the links at its end followed as an open
// follows them (to a name that need not exist yet), in the folder it then lands in by that folder's
// real path.
stdfs::path real_place(const stdfs::path& path) {
    stdfs::path target = write_target(path);
    std::error_code ec;
    stdfs::path folder = stdfs::weakly_canonical(target.parent_path(), ec);
    return (ec ? target.parent_path().lexically_normal() : folder) / target.filename();
}

// Whether a disk path lies in the program folder or below it as it is spelt: ".." steps as written,
// ASCII letters in any case.
bool spelt_inside_program_folder(const stdfs::path& path) {
    std::string home = fold_ascii(program_folder().lexically_normal().string());
    std::string file = fold_ascii(path.lexically_normal().string());
    while (home.size() > 1 && home.back() == '/') home.pop_back();
    return file.starts_with(home) && (file.size() == home.size() || file[home.size()] == '/');
}

// What the program's tree is on disk.
struct ProgramTree {
    std::set<Identity> folders;         // every folder of it
    std::set<Identity> linked_files;    // the files its links lead to
    std::set<Identity> files;           // its own files, where asked for
    std::vector<stdfs::path> dangling;  // where its dangling links would create a file
    bool complete = true;               // false: too large to walk
};

// `with_files`: also every file of the tree, for a target that has another name somewhere (a hard
// link outside to a stored mail would let the save overwrite that mail where it is).
ProgramTree walk_program_tree(bool with_files) {
    ProgramTree tree;
    std::vector<stdfs::path> pending{program_folder()};
    while (!pending.empty()) {
        stdfs::path folder = std::move(pending.back());
        pending.pop_back();
        std::optional<Identity> id = identity_of(folder);
        // A folder reached twice (a link to a folder of the tree, a loop of links) is walked once.
        if (!id || !tree.folders.insert(*id).second) continue;
        if (tree.folders.size() > kMaxTreeFolders) {
            tree.complete = false;
            break;
        }
        std::error_code ec;
        for (stdfs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code kind;
            stdfs::file_status own = it->symlink_status(kind);
            if (stdfs::is_directory(own)) {
                pending.push_back(it->path());
                continue;
            }
            if (with_files && stdfs::is_regular_file(own)) {
                if (std::optional<Identity> file = identity_of(it->path())) tree.files.insert(*file);
                continue;
            }
            if (!stdfs::is_symlink(own)) continue;
            stdfs::file_status led_to = it->status(kind);
            if (stdfs::is_directory(led_to)) {
                pending.push_back(it->path());
            } else if (stdfs::exists(led_to)) {
                if (std::optional<Identity> file = identity_of(it->path())) tree.linked_files.insert(*file);
            } else {
                tree.dangling.push_back(real_place(it->path()));
            }
        }
    }
    return tree;
}

}  // namespace

bool write_reaches_program_tree(std::string_view path) {
    stdfs::path spelt = resolve(path);
    if (spelt_inside_program_folder(spelt) || spelt_inside_program_folder(write_target(spelt))) return true;
    stdfs::path real = real_place(spelt);
    nlink_t links = 0;
    std::optional<Identity> file = identity_of(real, &links);
    ProgramTree tree = walk_program_tree(file && links > 1);
    if (!tree.complete) return true;
    if (file && (tree.folders.contains(*file) || tree.linked_files.contains(*file) || tree.files.contains(*file))) {
        return true;
    }
    // The real folders the file would lie in, up to the root: one of them a folder of the tree.
    for (stdfs::path folder = real.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        if (std::optional<Identity> id = identity_of(folder); id && tree.folders.contains(*id)) return true;
        if (folder == folder.root_path()) break;
    }
    return std::find(tree.dangling.begin(), tree.dangling.end(), real) != tree.dangling.end();
}

}  // namespace tv::files
