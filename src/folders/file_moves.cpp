#include "folders/file_moves.h"

#include <algorithm>

#include "common/errors.h"
#include "common/paths.h"
#include "folders/step_pauses.h"

namespace tv::folders {

namespace {

// A dot-file: no listing shows it, so a copy in progress is never taken for mail.
std::string hidden_copy_of(const std::string& destination) {
    auto [folder, name] = files::split_folder_name(destination);
    return files::join(folder, "." + name + ".moving");
}

}  // namespace

void remove_quietly(const std::string& path) {
    try {
        files::remove_if_exists(path);
    } catch (const RuntimeError&) {
    }
}

bool move_files(const std::vector<FileMove>& moves) {
    std::vector<const FileMove*> present;
    for (const auto& move : moves) {
        if (files::file_exists(move.from)) present.push_back(&move);
    }
    std::size_t placed = 0;
    try {
        for (const auto& move : moves) {
            if (std::find(present.begin(), present.end(), &move) != present.end()) {
                // A folder of the destination's name would make the copy unplaceable: fail before
                // anything is written.
                if (files::folder_exists(move.to)) raise_error(err::kAccessDenied, "a folder blocks " + move.to);
                files::copy_file(move.from, hidden_copy_of(move.to));
            }
            pause_steps(move.copy_pauses);
        }
        for (const FileMove* move : present) {
            files::rename_file(hidden_copy_of(move->to), move->to);
            ++placed;
        }
    } catch (const RuntimeError&) {
        // Copies already placed are duplicates of sources that stay; only the hidden ones go.
        for (std::size_t i = placed; i < present.size(); ++i) remove_quietly(hidden_copy_of(present[i]->to));
        return false;
    }
    for (const auto& move : moves) {
        if (std::find(present.begin(), present.end(), &move) != present.end()) remove_quietly(move.from);
        pause_steps(move.remove_pauses);
    }
    return true;
}

}  // namespace tv::folders
