// A change of mail files and records across the stores that a kill never leaves half done: its
// steps are written down before the first is taken and forgotten after the last, and the next
// start finishes a change it finds written down. Within the program folder every step is a rename
// or a delete, so a mail is always whole in one place.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tv::store {

// Where the steps of the change under way are written down (a dot-file, in no listing).
inline constexpr const char* kChangeFile = "SYSTEM_F\\.store_change";

// One step, system paths: `from` moves to the free name `to`, or is deleted when `to` is empty.
struct FileStep {
    std::string from;
    std::string to;
};

class StoreChange {
public:
    // Writes the steps down (an unfinished change found there is finished first, and the list
    // caches of the trash and folders the steps touch are dropped); raises when they cannot be
    // written, before any file has changed.
    explicit StoreChange(std::vector<FileStep> steps);

    // Takes step i: false when the file layer refused it, which leaves the file where it was. A
    // step whose file is not there has nothing to do.
    bool take(std::size_t i);
    // Moves the file of a taken step back; false when that failed too.
    bool undo(std::size_t i);
    // Ends the change: forgotten, or, when steps are `unfinished` (a mail would otherwise stay
    // apart from its record, or a deleted file would stay hidden), those are left for the next start.
    void end(const std::vector<std::size_t>& unfinished = {});

    std::size_t size() const { return steps_.size(); }

private:
    std::vector<FileStep> steps_;
};

// Finishes a change that a killed program left written down, and the receive list's cache with
// it; kept written down when a step still cannot be taken. Run at start before any store is read.
void finish_unfinished_change();

}  // namespace tv::store
