#include "mail/parse/attachment_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/paths.h"
#include "common/sjis.h"
#include "mail/parse/attachment_names.h"

namespace tv::mail {

namespace {

// Attempts after which a name is given up (only a folder filling up under our feet gets there).
constexpr unsigned kMaxAttempts = 1000;

}  // namespace

AttachmentFolder::AttachmentFolder(std::string folder) : folder_(std::move(folder)) {}

void AttachmentFolder::list_once() {
    if (listed_) return;
    listed_ = true;
    files::make_folder(folder_);
    disk_ = files::resolve(folder_);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(disk_, ec), end; !ec && it != end; it.increment(ec)) {
        // Every entry counts, dot-files and names CP932 cannot hold included: none may be replaced.
        std::string disk_name = it->path().filename().string();
        auto cp932 = from_utf8(disk_name);
        taken_.insert(lower_ascii(cp932 ? *cp932 : disk_name));
    }
}

bool AttachmentFolder::taken(const std::string& cp932_name) const { return taken_.count(lower_ascii(cp932_name)) > 0; }

unsigned AttachmentFolder::first_free_counter(const std::string& name) const {
    if (!taken(name)) return 1;
    // One pass over the listing for the highest counter this name already has, so a folder that
    // holds thousands of "image001(n).png" costs no more than one that holds a few.
    std::string prefix = lower_ascii(numbered_name(name, 2));
    std::size_t open = prefix.rfind('(');
    std::string stem = prefix.substr(0, open + 1);
    std::string extension = prefix.substr(prefix.find(')', open) + 1);
    unsigned highest = 1;
    for (const std::string& existing : taken_) {
        if (existing.size() <= stem.size() + extension.size() + 1) continue;
        if (existing.compare(0, stem.size(), stem) != 0) continue;
        if (existing.compare(existing.size() - extension.size(), extension.size(), extension) != 0) continue;
        std::string_view middle(existing.data() + stem.size(), existing.size() - stem.size() - extension.size());
        if (middle.size() < 2 || middle.size() > 9 || middle.back() != ')') continue;
        unsigned value = 0;
        bool digits = true;
        for (char c : middle.substr(0, middle.size() - 1)) {
            digits = digits && c >= '0' && c <= '9';
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        if (digits && value > highest) highest = value;
    }
    return highest + 1;
}

std::optional<std::string> AttachmentFolder::save(const std::string& name, const std::function<bool(int fd)>& write) {
    list_once();
    unsigned counter = first_free_counter(name);
    for (unsigned attempt = 0; attempt < kMaxAttempts; ++attempt, ++counter) {
        std::string candidate = numbered_name(name, counter);
        if (taken(candidate)) continue;
        std::filesystem::path disk = disk_ / to_utf8(candidate);
        int fd = ::open(disk.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST) {
                taken_.insert(lower_ascii(candidate));
                continue;
            }
            std::perror(("talvenor-mail: cannot create " + disk.string()).c_str());
            return std::nullopt;
        }
        taken_.insert(lower_ascii(candidate));
        bool written = write(fd);
        if (::close(fd) != 0) written = false;
        if (!written) {
            std::fprintf(stderr, "talvenor-mail: cannot write %s\n", disk.c_str());
            ::unlink(disk.c_str());
            return std::nullopt;
        }
        return candidate;
    }
    return std::nullopt;
}

}  // namespace tv::mail
