// One receive or send at a time per program folder: a lock on SYSTEM_F\.transfer.lock held for the
// whole run. Two runs at once would pick the same new file names and delete each other's mail on
// the server.
#pragma once

namespace tv::mail {

class TransferLock {
public:
    // Waits at most `wait_seconds` for another run to end; raises TransferError(kBusy) when it does
    // not, and TransferError(kLocal) when the lock cannot be taken for another reason.
    explicit TransferLock(long wait_seconds);
    ~TransferLock();
    TransferLock(const TransferLock&) = delete;
    TransferLock& operator=(const TransferLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace tv::mail
