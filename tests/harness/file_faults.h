// What a test makes of the file layer's seam: a chosen change refused as a full disk or a file in
// use would refuse it, or the program stopped right before a given change, as a kill stops it.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#include "common/file_changes.h"

namespace tv::test {

// Thrown where the program is killed; no handler of the program catches it.
struct Killed {};

class FileFaults {
public:
    FileFaults() { install(); }
    ~FileFaults() { files::watch_file_changes({}); }
    FileFaults(const FileFaults&) = delete;
    FileFaults& operator=(const FileFaults&) = delete;

    // Every change of `kind` to a file whose disk name is `name` (any file: empty) fails with `error`.
    void refuse(files::FileChange kind, std::string name, int error = EACCES) {
        refusing_ = true;
        refused_kind_ = kind;
        refused_name_ = std::move(name);
        refused_prefix_ = false;
        error_ = error;
    }
    // The same for every file whose disk name begins with `prefix` (the temporary files of a
    // whole-file write, say).
    void refuse_beginning(files::FileChange kind, std::string prefix, int error = EACCES) {
        refuse(kind, std::move(prefix), error);
        refused_prefix_ = true;
    }
    // A file that cannot be taken away: its deletes and renames fail.
    void cannot_take_away(std::string name) {
        refuse(files::FileChange::Remove, name);
        also_rename_ = true;
    }
    // The program stops right before its n-th change from now on (1: before the first).
    void kill_before(int n) {
        changes_ = 0;
        kill_at_ = n;
    }
    // The program stops right before its first change of `kind` to a file whose disk name begins
    // with `prefix` (the temporary file of a whole-file write, say).
    void kill_before(files::FileChange kind, std::string prefix) {
        kill_kind_ = kind;
        kill_prefix_ = std::move(prefix);
    }
    // Changes counted since kill_before.
    int changes() const { return changes_; }
    void clear() {
        refusing_ = false;
        also_rename_ = false;
        kill_at_ = 0;
        kill_prefix_.clear();
    }

private:
    void install() {
        files::watch_file_changes([this](files::FileChange kind, const std::filesystem::path& disk) {
            ++changes_;
            if (kill_at_ > 0 && changes_ == kill_at_) {
                kill_at_ = 0;
                throw Killed{};
            }
            if (!kill_prefix_.empty() && kind == kill_kind_ && disk.filename().string().starts_with(kill_prefix_)) {
                kill_prefix_.clear();
                throw Killed{};
            }
            std::string name = disk.filename().string();
            bool named = refusing_ && (refused_name_.empty() || name == refused_name_ ||
                                       (refused_prefix_ && name.starts_with(refused_name_)));
            bool kind_matches = kind == refused_kind_ || (also_rename_ && kind == files::FileChange::Rename);
            return named && kind_matches ? error_ : 0;
        });
    }

    bool refusing_ = false;
    files::FileChange refused_kind_ = files::FileChange::Remove;
    std::string refused_name_;
    bool refused_prefix_ = false;
    bool also_rename_ = false;
    int error_ = EACCES;
    int kill_at_ = 0;
    files::FileChange kill_kind_ = files::FileChange::Rename;
    std::string kill_prefix_;
    int changes_ = 0;
};

// A disk that is full once a file reaches `bytes`: a write beyond fails (EFBIG) as on a full disk
// or, where `kills`, the process is ended right there by the signal of the limit, as a kill ends a
// program half-way through a write (no core is dumped). Undone when it goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes, bool kills = false) {
        ::getrlimit(RLIMIT_FSIZE, &size_before_);
        ::getrlimit(RLIMIT_CORE, &core_before_);
        signal_before_ = ::signal(SIGXFSZ, kills ? SIG_DFL : SIG_IGN);
        rlimit no_core{0, core_before_.rlim_max};
        ::setrlimit(RLIMIT_CORE, &no_core);
        rlimit limit{bytes, size_before_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &size_before_);
        ::setrlimit(RLIMIT_CORE, &core_before_);
        ::signal(SIGXFSZ, signal_before_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit size_before_{};
    rlimit core_before_{};
    sighandler_t signal_before_ = SIG_DFL;
};

// A disk that fills up as a chosen change begins: from then on no file grows past `bytes` (a write
// or a reservation beyond fails, as on a full disk), while what was written before stays. Undone
// when it goes. It installs the file layer's seam itself, so it stands instead of a FileFaults.
class DiskFillsAt {
public:
    DiskFillsAt(files::FileChange kind, std::string name, rlim_t bytes) {
        files::watch_file_changes([this, kind, name = std::move(name), bytes](files::FileChange change,
                                                                            const std::filesystem::path& disk) {
            if (!full_ && change == kind && disk.filename() == name) full_.emplace(bytes);
            return 0;
        });
    }
    ~DiskFillsAt() { files::watch_file_changes({}); }
    DiskFillsAt(const DiskFillsAt&) = delete;
    DiskFillsAt& operator=(const DiskFillsAt&) = delete;

private:
    std::optional<FileSizeLimit> full_;
};

}  // namespace tv::test
