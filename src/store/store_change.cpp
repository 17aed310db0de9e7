#include "store/store_change.h"

#include "common/errors.h"
#include "common/file_move.h"
#include "common/paths.h"
#include "common/text_file.h"

namespace tv::store {

namespace {

// Two lines a step: from, then to (an empty line for a delete).
void write_steps(const std::vector<FileStep>& steps) {
    std::vector<std::string> lines;
    for (const FileStep& step : steps) {
        lines.push_back(step.from);
        lines.push_back(step.to);
    }
    files::write_lines_atomic(kChangeFile, lines, 0600);
}

bool finish_step(const FileStep& step) {
    if (step.from.empty()) return true;
    // Every step the program writes down stays in its folder; one that names a path elsewhere was
    // not written by it and is passed over, not followed.
    if (!files::written_inside_program_folder(step.from) ||
        (!step.to.empty() && !files::written_inside_program_folder(step.to))) {
        return true;
    }
    if (!step.to.empty()) return files::finish_move(step.from, step.to);
    try {
        files::remove_if_exists(step.from);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

void forget_change() {
    try {
        files::remove_if_exists(kChangeFile);
    } catch (const RuntimeError&) {
        // Finishing it again at the next start changes nothing.
    }
}

}  // namespace

StoreChange::StoreChange(std::vector<FileStep> steps) : steps_(std::move(steps)) {
    finish_unfinished_change();
    write_steps(steps_);
}

bool StoreChange::take(std::size_t i) {
    const FileStep& s = steps_[i];
    try {
        if (s.from.empty() || !files::file_exists(s.from)) return true;
        if (s.to.empty()) {
            files::remove_if_exists(s.from);
        } else {
            files::move_file(s.from, s.to);
        }
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

bool StoreChange::undo(std::size_t i) {
    const FileStep& s = steps_[i];
    if (s.to.empty() || !files::file_exists(s.to)) return true;
    try {
        files::move_file(s.to, s.from);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

void StoreChange::end(const std::vector<std::size_t>& unfinished) {
    if (unfinished.empty()) {
        forget_change();
        return;
    }
    std::vector<FileStep> left;
    for (std::size_t i : unfinished) left.push_back(steps_[i]);
    try {
        write_steps(left);
    } catch (const RuntimeError&) {
        // The whole change stays written down; finishing a taken step again changes nothing.
    }
}

void finish_unfinished_change() {
    auto lines = files::read_lines(kChangeFile);
    if (!lines) return;
    bool finished = true;
    for (std::size_t i = 0; i + 1 < lines->size(); i += 2) {
        finished = finish_step({(*lines)[i], (*lines)[i + 1]}) && finished;
    }
    if (finished) forget_change();
}

}  // namespace tv::store
