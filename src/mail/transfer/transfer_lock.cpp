#include "mail/transfer/transfer_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "common/exchange_files.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "mail/transfer/transfer_error.h"

namespace tv::mail {

namespace {

using exchange::kTransferLockFile;
constexpr auto kRetry = std::chrono::milliseconds(100);

}  // namespace

TransferLock::TransferLock(long wait_seconds) {
    std::filesystem::path path = files::resolve(kTransferLockFile);
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        std::fprintf(stderr, "talvenor-mail: %s: %s\n", path.c_str(), std::strerror(errno));
        throw TransferError(Failure::kLocal, kTransferLockFile);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(wait_seconds);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        if (error == EINTR) continue;
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd_);
            fd_ = -1;
            if (error == EWOULDBLOCK) throw TransferError(Failure::kBusy, {});
            std::fprintf(stderr, "talvenor-mail: lock %s: %s\n", path.c_str(), std::strerror(error));
            throw TransferError(Failure::kLocal, kTransferLockFile);
        }
        std::this_thread::sleep_for(kRetry);
    }
}

TransferLock::~TransferLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace tv::mail
