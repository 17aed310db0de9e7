#include "common/folder_index.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace tv::files {

namespace stdfs = std::filesystem;

namespace {

// Folders indexed at once; more are rare (the program writes into a handful), and the oldest
// index then goes.
constexpr std::size_t kMaxFolders = 64;

struct Index {
    std::string path;
    int watch = -1;
    std::uint64_t used = 0;
    // Folded name to the raw names that fold to it, smallest first.
    std::unordered_map<std::string, std::vector<std::string>> names;

    void add(const std::string& raw) {
        auto& variants = names[fold_ascii(raw)];
        auto at = std::lower_bound(variants.begin(), variants.end(), raw);
        if (at == variants.end() || *at != raw) variants.insert(at, raw);
    }
    void remove(const std::string& raw) {
        auto it = names.find(fold_ascii(raw));
        if (it == names.end()) return;
        std::erase(it->second, raw);
        if (it->second.empty()) names.erase(it);
    }
};

class Indexes {
public:
    ~Indexes() {
        if (fd_ >= 0) ::close(fd_);
    }

    // The current index of a folder; null when it cannot be watched or listed (the caller lists).
    Index* get(const stdfs::path& folder) {
        if (!open()) return nullptr;
        drain();
        std::string key = folder.lexically_normal().string();
        auto it = by_path_.find(key);
        if (it != by_path_.end()) {
            it->second->used = ++clock_;
            return it->second.get();
        }
        if (by_path_.size() >= kMaxFolders) drop_oldest();
        // The watch first, then the listing: an entry made in between is in one or both, and both
        // say the same.
        int watch = ::inotify_add_watch(fd_, key.c_str(),
                                        IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                            IN_MOVE_SELF | IN_ONLYDIR | IN_EXCL_UNLINK);
        if (watch < 0) return nullptr;
        if (by_watch_.count(watch)) {
            // The same folder under another path: index it once, under its first path.
            return by_watch_[watch];
        }
        auto index = std::make_unique<Index>();
        index->path = key;
        index->watch = watch;
        index->used = ++clock_;
        std::error_code ec;
        for (stdfs::directory_iterator e(folder, ec), end; !ec && e != end; e.increment(ec)) {
            index->add(e->path().filename().string());
        }
        if (ec) {
            ::inotify_rm_watch(fd_, watch);
            return nullptr;
        }
        Index* raw = index.get();
        by_watch_[watch] = raw;
        by_path_[key] = std::move(index);
        return raw;
    }

private:
    bool open() {
        if (fd_ < 0 && !failed_) {
            fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
            failed_ = fd_ < 0;
        }
        return fd_ >= 0;
    }

    // Applies every event that has come since the last look.
    void drain() {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                apply(*event);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    void apply(const inotify_event& event) {
        if (event.mask & IN_Q_OVERFLOW) {
            drop_all();
            return;
        }
        auto it = by_watch_.find(event.wd);
        if (it == by_watch_.end()) return;
        Index* index = it->second;
        if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
            drop(index);
            return;
        }
        if (event.len == 0) return;
        std::string name(event.name);  // NUL-padded
        if (event.mask & (IN_CREATE | IN_MOVED_TO)) index->add(name);
        if (event.mask & (IN_DELETE | IN_MOVED_FROM)) index->remove(name);
    }

    void drop(Index* index) {
        ::inotify_rm_watch(fd_, index->watch);
        by_watch_.erase(index->watch);
        by_path_.erase(index->path);  // destroys it
    }

    void drop_oldest() {
        auto oldest = std::min_element(by_path_.begin(), by_path_.end(),
                                       [](const auto& a, const auto& b) { return a.second->used < b.second->used; });
        if (oldest != by_path_.end()) drop(oldest->second.get());
    }

    void drop_all() {
        while (!by_path_.empty()) drop(by_path_.begin()->second.get());
    }

    int fd_ = -1;
    bool failed_ = false;
    std::uint64_t clock_ = 0;
    std::map<std::string, std::unique_ptr<Index>> by_path_;
    std::unordered_map<int, Index*> by_watch_;
};

Indexes& indexes() {
    static Indexes all;
    return all;
}

std::mutex& indexes_mutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

std::string fold_ascii(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string find_case_blind(const stdfs::path& folder, std::string_view folded) {
    std::lock_guard lock(indexes_mutex());
    if (Index* index = indexes().get(folder)) {
        auto it = index->names.find(std::string(folded));
        return it == index->names.end() ? std::string() : it->second.front();
    }
    // Not watchable: list it as it is now.
    std::string best;
    std::error_code ec;
    for (stdfs::directory_iterator e(folder, ec), end; !ec && e != end; e.increment(ec)) {
        std::string candidate = e->path().filename().string();
        if (fold_ascii(candidate) == folded && (best.empty() || candidate < best)) best = candidate;
    }
    return best;
}

bool for_each_folded_name(const stdfs::path& folder, const std::function<void(std::string_view)>& each) {
    std::lock_guard lock(indexes_mutex());
    if (Index* index = indexes().get(folder)) {
        for (const auto& entry : index->names) each(entry.first);
        return true;
    }
    std::error_code ec;
    stdfs::directory_iterator e(folder, ec);
    if (ec) return false;
    for (stdfs::directory_iterator end; !ec && e != end; e.increment(ec)) each(fold_ascii(e->path().filename().string()));
    return true;
}

}  // namespace tv::files
