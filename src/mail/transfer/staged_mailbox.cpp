#include "mail/transfer/staged_mailbox.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/atomic_file.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "mail/transfer/transfer_error.h"

namespace tv::mail {

using namespace tv::literals;

namespace {

constexpr const char* kStagePrefix = ".incoming-";
constexpr std::size_t kFlushBytes = 1 << 16;

// Syncs a folder's entries, or with `whole_file_system` every file of its file system.
bool sync_folder(const std::filesystem::path& folder, bool whole_file_system) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = whole_file_system ? ::syncfs(fd) == 0 : ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

StagedMailbox::StagedMailbox(std::string_view folder) {
    files::make_folder(folder);
    folder_ = files::resolve(folder);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().rfind(kStagePrefix, 0) == 0) std::filesystem::remove(it->path(), ec);
    }
}

StagedMailbox::~StagedMailbox() {
    if (!committed_) discard();
}

void StagedMailbox::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    std::error_code ec;
    for (const auto& path : staged_) std::filesystem::remove(path, ec);
    staged_.clear();
}

void StagedMailbox::begin(std::string_view head) {
    if (fd_ >= 0) finish();
    auto path = folder_ / (kStagePrefix + std::to_string(::getpid()) + "-" + std::to_string(staged_.size()));
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0) throw TransferError(Failure::kLocal, from_utf8_lossy(folder_.string()));
    staged_.push_back(path);
    failed_ = false;
    after_cr_ = false;
    buffer_.assign(head);
}

bool StagedMailbox::append(std::string_view bytes) {
    if (failed_ || fd_ < 0) return false;
    for (char c : bytes) {
        if (c == '\n') {
            if (!after_cr_) buffer_ += "\r\n";
            after_cr_ = false;
        } else if (c == '\r') {
            buffer_ += "\r\n";
            after_cr_ = true;
        } else {
            buffer_ += c;
            after_cr_ = false;
        }
    }
    return buffer_.size() < kFlushBytes || flush();
}

bool StagedMailbox::flush() {
    if (!files::write_fully(fd_, buffer_)) failed_ = true;
    buffer_.clear();
    return !failed_;
}

void StagedMailbox::finish() {
    if (fd_ < 0) return;
    bool ok = flush();
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok) throw TransferError(Failure::kLocal, from_utf8_lossy(folder_.string()));
}

void StagedMailbox::commit(const std::vector<std::string>& names) {
    finish();
    if (names.size() != staged_.size()) throw TransferError(Failure::kLocal, {});
    // One sync of the file system puts every staged file on the disk before any of them is named.
    if (!staged_.empty() && !sync_folder(folder_, true)) throw TransferError(Failure::kLocal, from_utf8_lossy(folder_.string()));
    std::vector<std::filesystem::path> targets;
    for (const std::string& name : names) targets.push_back(folder_ / to_utf8(name));
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        if (::rename(staged_[i].c_str(), targets[i].c_str()) != 0) {
            int e = errno;
            for (std::size_t j = 0; j < i; ++j) (void)::rename(targets[j].c_str(), staged_[j].c_str());
            std::fprintf(stderr, "talvenor-mail: rename %s: %s\n", targets[i].c_str(), std::strerror(e));
            throw TransferError(Failure::kLocal, names[i]);
        }
    }
    committed_ = true;
    staged_.clear();
    sync_folder(folder_, false);
}

}  // namespace tv::mail
