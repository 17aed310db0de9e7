#include "mail/parse/attachment_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/folder_index.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "mail/parse/attachment_names.h"
#include "mail/parse/gobject_ptr.h"

namespace tv::mail {

namespace {

// Attempts after which a name is given up (only a folder filling up under our feet gets there).
constexpr unsigned kMaxAttempts = 1000;

std::string folded_disk_name(const std::string& cp932_name) { return files::fold_ascii(to_utf8(cp932_name)); }

// The CP932 name of the entry `raw` (a disk name), when it has one that leads back to it.
std::optional<std::string> cp932_name_of(const std::string& raw) {
    std::optional<std::string> name = from_utf8(raw);
    if (name && to_utf8(*name) != raw) return std::nullopt;
    return name;
}

}  // namespace

AttachmentFolder::AttachmentFolder(std::string folder) : folder_(std::move(folder)) {}

void AttachmentFolder::find_folder() {
    if (found_) return;
    found_ = true;
    files::make_folder(folder_);
    disk_ = files::resolve(folder_);
}

// Every entry counts, dot-files and names CP932 cannot hold included: none may be replaced.
bool AttachmentFolder::taken(const std::string& cp932_name) const {
    return !files::find_case_blind(disk_, folded_disk_name(cp932_name)).empty();
}

std::set<unsigned> AttachmentFolder::counters_taken(const std::string& name) const {
    std::set<unsigned> counters = {1};  // asked only for a name that is taken
    // One pass over the names, so a folder that holds thousands of "image001(n).png" costs no more
    // than one that holds a few.
    std::string prefix = folded_disk_name(numbered_name(name, 2));
    std::size_t open = prefix.rfind('(');
    std::string stem = prefix.substr(0, open + 1);
    std::string extension = prefix.substr(prefix.find(')', open) + 1);
    files::for_each_folded_name(disk_, [&](std::string_view existing) {
        if (existing.size() <= stem.size() + extension.size() + 1) return;
        if (existing.compare(0, stem.size(), stem) != 0) return;
        if (existing.compare(existing.size() - extension.size(), extension.size(), extension) != 0) return;
        std::string_view middle = existing.substr(stem.size(), existing.size() - stem.size() - extension.size());
        if (middle.size() < 2 || middle.size() > 9 || middle.back() != ')') return;
        unsigned value = 0;
        bool digits = true;
        for (char c : middle.substr(0, middle.size() - 1)) {
            digits = digits && c >= '0' && c <= '9';
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        if (digits && value > 1) counters.insert(value);
    });
    return counters;
}

AttachmentFolder::Family& AttachmentFolder::family_of(const std::string& name) {
    auto [found, made] = families_.try_emplace(folded_disk_name(name));
    Family& family = found->second;
    if (!made || !taken(name)) return family;
    family.counters = counters_taken(name);
    // Only regular files count: nothing else can hold an attachment's bytes.
    for (unsigned counter : family.counters) {
        std::string raw = files::find_case_blind(disk_, folded_disk_name(numbered_name(name, counter)));
        struct stat status {};
        if (raw.empty() || ::lstat((disk_ / raw).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
        family.unread.emplace(static_cast<std::uint64_t>(status.st_size), counter);
    }
    return family;
}

template <typename Range, typename Print, typename Read>
void AttachmentFolder::read_files(const std::string& name, Range from, std::multimap<Print, unsigned>& to,
                                  Read read) {
    for (auto it = from.first; it != from.second; ++it) {
        std::string raw = files::find_case_blind(disk_, folded_disk_name(numbered_name(name, it->second)));
        if (raw.empty()) continue;
        // Non-blocking, so that a FIFO put under the name meanwhile cannot hold the parse.
        int fd = ::open((disk_ / raw).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat status {};
        std::optional<Print> file;
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) file = read(fd, status);
        ::close(fd);
        if (file) to.emplace(*file, it->second);
    }
}

// A file this parse has given is left to its own part.
std::optional<std::string> AttachmentFolder::earlier_copy(const std::string& name, Family& family,
                                                          const ContentWriter& content) {
    std::optional<HeadPrint> head = content_head(content);
    if (!head) return std::nullopt;
    auto unread = family.unread.equal_range(head->size);
    read_files(name, unread, family.by_head, [&](int fd, const struct stat& status) {
        return static_cast<std::uint64_t>(status.st_size) == head->size ? file_head(fd, head->size) : std::nullopt;
    });
    family.unread.erase(unread.first, unread.second);
    auto same_head = family.by_head.equal_range(*head);
    if (same_head.first == same_head.second && family.heads_read_whole.count(*head) == 0) return std::nullopt;
    std::optional<WholePrint> print = content_print(content);
    if (!print) return std::nullopt;
    read_files(name, same_head, family.by_print, [](int fd, const struct stat&) { return file_print(fd); });
    family.by_head.erase(same_head.first, same_head.second);
    family.heads_read_whole.insert(*head);
    auto [match, match_end] = family.by_print.equal_range(*print);
    while (match != match_end) {
        std::string candidate = numbered_name(name, match->second);
        match = family.by_print.erase(match);  // given now, or gone
        std::string folded = folded_disk_name(candidate);
        if (given_.count(folded)) continue;
        std::string raw = files::find_case_blind(disk_, folded);
        if (raw.empty()) continue;
        if (raw == to_utf8(candidate)) return candidate;
        if (auto own = cp932_name_of(raw)) return own;  // a case variant: the program finds it as it is
    }
    return std::nullopt;
}

std::optional<std::string> AttachmentFolder::write_new(const std::string& name, unsigned& counter,
                                                       const ContentWriter& content) {
    for (unsigned attempt = 0; attempt < kMaxAttempts; ++attempt, ++counter) {
        std::string candidate = numbered_name(name, counter);
        if (taken(candidate)) continue;
        std::filesystem::path disk = disk_ / to_utf8(candidate);
        int fd = ::open(disk.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            int error = errno;
            std::perror(("talvenor-mail: cannot create " + disk.string()).c_str());
            note_failure(error);
            return std::nullopt;
        }
        bool written;
        int error = 0;
        {
            GObjectPtr<GMimeStream> out(g_mime_stream_fs_new(fd));
            g_mime_stream_fs_set_owner(GMIME_STREAM_FS(out.get()), FALSE);
            // No flush: on a file stream it means fsync, and the attachment is a working copy for this run.
            errno = 0;
            written = content(out.get());
            if (!written) error = errno;
        }
        if (::close(fd) != 0 && written) {
            written = false;
            error = errno;
        }
        if (!written) {
            std::fprintf(stderr, "talvenor-mail: cannot write %s: %s\n", disk.c_str(), std::strerror(error));
            ::unlink(disk.c_str());
            note_failure(error);
            return std::nullopt;
        }
        return candidate;
    }
    note_failure(0);
    return std::nullopt;
}

void AttachmentFolder::note_failure(int error) {
    trouble_.unsaved = true;
    if (error == ENOSPC || error == EDQUOT) trouble_.disk_full = true;
}

std::string AttachmentFolder::claim(std::string name) {
    given_.insert(folded_disk_name(name));
    return name;
}

std::optional<std::string> AttachmentFolder::save(const std::string& name, const ContentWriter& content) {
    find_folder();
    Family& family = family_of(name);
    if (!family.unread.empty() || !family.by_head.empty() || !family.by_print.empty()) {
        if (auto copy = earlier_copy(name, family, content)) return claim(std::move(*copy));
    }
    unsigned counter = family.counters.empty() ? 1 : *family.counters.rbegin() + 1;
    auto saved = write_new(name, counter, content);
    if (!saved) return std::nullopt;
    family.counters.insert(counter);
    return claim(std::move(*saved));
}

}  // namespace tv::mail
