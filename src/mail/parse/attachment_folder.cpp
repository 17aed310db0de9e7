#include "mail/parse/attachment_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/folder_index.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "mail/parse/attachment_names.h"

namespace tv::mail {

namespace {

// Attempts after which a name is given up (only a folder filling up under our feet gets there).
constexpr unsigned kMaxAttempts = 1000;

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
    return !files::find_case_blind(disk_, files::fold_ascii(to_utf8(cp932_name))).empty();
}

unsigned AttachmentFolder::first_free_counter(const std::string& name) const {
    if (!taken(name)) return 1;
    // One pass over the names for the highest counter this name already has, so a folder that
    // holds thousands of "image001(n).png" costs no more than one that holds a few.
    std::string prefix = files::fold_ascii(to_utf8(numbered_name(name, 2)));
    std::size_t open = prefix.rfind('(');
    std::string stem = prefix.substr(0, open + 1);
    std::string extension = prefix.substr(prefix.find(')', open) + 1);
    unsigned highest = 1;
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
        if (digits && value > highest) highest = value;
    });
    return highest + 1;
}

std::optional<std::string> AttachmentFolder::save(const std::string& name, const std::function<bool(int fd)>& write) {
    find_folder();
    unsigned counter = first_free_counter(name);
    for (unsigned attempt = 0; attempt < kMaxAttempts; ++attempt, ++counter) {
        std::string candidate = numbered_name(name, counter);
        if (taken(candidate)) continue;
        std::filesystem::path disk = disk_ / to_utf8(candidate);
        int fd = ::open(disk.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            std::perror(("talvenor-mail: cannot create " + disk.string()).c_str());
            return std::nullopt;
        }
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
