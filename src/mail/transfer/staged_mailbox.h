// New mail files written under hidden names in their folder and moved into place all together,
// only when the whole run has succeeded; until then the folder shows none of them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tv::mail {

class StagedMailbox {
public:
    // `folder` is a system path ("JUSINBOX"); hidden files that an interrupted run left are removed.
    explicit StagedMailbox(std::string_view folder);
    ~StagedMailbox();  // staged files that were not committed are removed
    StagedMailbox(const StagedMailbox&) = delete;
    StagedMailbox& operator=(const StagedMailbox&) = delete;

    // Starts the next file with `head` as its first bytes.
    void begin(std::string_view head);
    // Appends message bytes, every line end (CR LF, a lone CR or a lone LF) written as CR LF.
    // False when the file cannot be written.
    bool append(std::string_view bytes);
    // Ends the current file; raises TransferError(kLocal) when it cannot be written.
    void finish();

    std::size_t count() const { return staged_.size(); }

    // Moves the staged files into the folder under `names`, in order, after their data has reached
    // the disk; then syncs the folder. Raises TransferError(kLocal), leaving none of them in place,
    // when a move fails.
    void commit(const std::vector<std::string>& names);

private:
    bool flush();
    void discard();

    std::filesystem::path folder_;
    std::vector<std::filesystem::path> staged_;
    int fd_ = -1;
    bool failed_ = false;
    bool after_cr_ = false;
    std::string buffer_;
    bool committed_ = false;
};

}  // namespace tv::mail
