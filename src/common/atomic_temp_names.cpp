#include "common/atomic_temp_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "common/errors.h"
#include "common/file_changes.h"
#include "common/file_handle.h"
#include "common/paths.h"

namespace tv::files {

namespace stdfs = std::filesystem;

namespace {

constexpr std::string_view kTempMark = ".tmp";
// How far below a swept folder the sweep goes: well past the deepest folder the program makes
// (SYSTEM_F\BADSOU\<mail>\<n>), and a bound on the folders it holds open at once.
constexpr int kSweepDepth = 16;

bool all_digits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process number of a bare disk name of the temporary form; nullopt for any other name.
std::optional<unsigned long> temp_name_process(std::string_view name) {
    if (name.size() < 2 || name[0] != '.') return std::nullopt;
    std::size_t mark = name.rfind(kTempMark);
    if (mark == std::string_view::npos || mark < 2) return std::nullopt;  // a name of at least one byte
    std::string_view numbers = name.substr(mark + kTempMark.size());
    std::size_t underscore = numbers.find('_');
    if (underscore == std::string_view::npos) return std::nullopt;
    std::string_view process = numbers.substr(0, underscore);
    if (!all_digits(process) || !all_digits(numbers.substr(underscore + 1))) return std::nullopt;
    // A number too long for a process is none: it names no process that runs.
    if (process.size() > 10) return std::numeric_limits<unsigned long>::max();
    return std::stoul(std::string(process));
}

// Whether a process of that number runs: one that cannot be signalled (another user's) runs too.
bool process_runs(unsigned long process) {
    if (process == 0 || process > static_cast<unsigned long>(std::numeric_limits<pid_t>::max())) return false;
    return ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
}

struct CloseListing {
    void operator()(DIR* listing) const { ::closedir(listing); }
};

// Sweeps the open folder `folder`, whose disk path is `disk`, and the real folders below it down to
// `depth` more levels; each is opened from its parent without following a link.
void sweep(FileHandle folder, const stdfs::path& disk, int depth) {
    std::unique_ptr<DIR, CloseListing> listing(::fdopendir(folder.get()));
    if (!listing) return;
    const int fd = folder.release();  // the listing owns it now
    const auto own = static_cast<unsigned long>(::getpid());
    std::vector<std::string> leftovers, subfolders;
    while (const dirent* entry = ::readdir(listing.get())) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::optional<unsigned long> process = temp_name_process(name);
        bool may_be_folder = entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN;
        if (!process && !(may_be_folder && depth > 0)) continue;
        struct stat st {};
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
            if (depth > 0) subfolders.emplace_back(name);
        } else if (S_ISREG(st.st_mode) && process && (*process == own || !process_runs(*process))) {
            leftovers.emplace_back(name);
        }
    }
    for (const std::string& name : leftovers) {
        try {
            before_change(FileChange::Remove, disk / name, "delete");
            ::unlinkat(fd, name.c_str(), 0);
        } catch (const RuntimeError&) {
            // Left for the next start; nothing reads it meanwhile.
        }
    }
    for (const std::string& name : subfolders) {
        FileHandle below(::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (below) sweep(std::move(below), disk / name, depth - 1);
    }
}

}  // namespace

std::string atomic_temp_name(std::string_view name, unsigned long process, unsigned long counter) {
    return "." + std::string(name) + std::string(kTempMark) + std::to_string(process) + "_" + std::to_string(counter);
}

bool is_atomic_temp_name(std::string_view name) { return temp_name_process(name).has_value(); }

void remove_atomic_temp_files(std::string_view folder) {
    FileHandle opened(open_without_links(folder, O_RDONLY | O_DIRECTORY));
    if (opened) sweep(std::move(opened), resolve(folder), kSweepDepth);
}

}  // namespace tv::files
