// Moving mail files and records between stores without ever losing one.
#pragma once

#include <string>
#include <vector>

namespace tv::folders {

struct FileMove {
    std::string from;  // system paths; a move never changes a file's name
    std::string to;
    int copy_pauses = 1;    // 20 ms pauses after the copy, and after the delete
    int remove_pauses = 1;
};

// Moves the files as one step. Every source that exists is first copied beside its destination
// under a hidden name; only when all copies are complete do they take their destination names
// (replacing a file of that name) and are the sources deleted, so a failed copy leaves every source
// where it was and no half-written file anywhere. A missing source is skipped (its pauses are
// kept). A source that cannot be deleted stays (its copy stays too). False when the copies failed.
bool move_files(const std::vector<FileMove>& moves);

// Deletes a file if it is there; a file that cannot be deleted stays, without a word.
void remove_quietly(const std::string& path);

}  // namespace tv::folders
