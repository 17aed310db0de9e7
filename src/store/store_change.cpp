#include "store/store_change.h"

#include "common/errors.h"
#include "common/file_move.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "store/mail_stores.h"
#include "store/receive_list.h"

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

bool in_folder(const std::string& path, const char* folder) {
    return !path.empty() && files::same_name(files::split_folder_name(path).first, folder);
}

// The trash and folder lists that a change touches are dropped before it starts: their windows
// trust a list whose row count matches the store, so a list that a kill left a row off could show
// one mail's row for another. The next opening builds them anew from the records.
void drop_lists_touched(const std::vector<FileStep>& steps) {
    for (const MailStore& store : mail_stores()) {
        if (&store == &receive_box()) continue;
        for (const FileStep& step : steps) {
            bool touched = false;
            for (const std::string* path : {&step.from, &step.to}) {
                touched = touched || in_folder(*path, store.mail_folder) || in_folder(*path, store.record_folder);
            }
            if (touched) {
                files::remove_if_exists(store.cache);
                break;
            }
        }
    }
}

// The receive list's cache keeps its unread and answering marks, so it is not dropped: after a
// change is finished at start, it loses the rows of the mails that left the box and gains the rows
// of those that came into it.
void settle_receive_list(const std::vector<FileStep>& steps) {
    const char* box = receive_box().mail_folder;
    auto listed = [box](const std::string& path) {
        return in_folder(path, box) && !files::split_folder_name(path).second.starts_with(".");
    };
    std::vector<std::string> left;
    std::vector<std::string> came;
    for (const FileStep& step : steps) {
        bool from_box = listed(step.from);
        bool to_box = listed(step.to);
        if (from_box && !to_box) left.push_back(files::split_folder_name(step.from).second);
        if (to_box && !from_box) came.push_back(files::split_folder_name(step.to).second);
    }
    try {
        follow_finished_change(left, came);
    } catch (const RuntimeError&) {
        // The main window's load finds the cache out of step with the box and rebuilds it.
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
    drop_lists_touched(steps_);
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
    std::vector<FileStep> steps;
    for (std::size_t i = 0; i + 1 < lines->size(); i += 2) {
        steps.push_back({(*lines)[i], (*lines)[i + 1]});
        finished = finish_step(steps.back()) && finished;
    }
    settle_receive_list(steps);
    if (finished) forget_change();
}

}  // namespace tv::store
