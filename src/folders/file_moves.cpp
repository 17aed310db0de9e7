#include "folders/file_moves.h"

#include <numeric>
#include <optional>
#include <set>

#include "common/errors.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "folders/step_pauses.h"
#include "store/store_change.h"

namespace tv::folders {

namespace {

// A dot-file beside the mail: no listing shows a mail that is being deleted.
std::string hidden_name_of(const std::string& path) {
    auto [folder, name] = files::split_folder_name(path);
    return files::join(folder, "." + name + ".deleting");
}

// The change written down; nullopt when that failed, before any file changed.
std::optional<store::StoreChange> begin(std::vector<store::FileStep> steps) {
    try {
        return store::StoreChange(std::move(steps));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace

FilesOutcome move_files(const std::vector<FileMove>& moves, const std::function<void()>& settle_lists) {
    std::vector<store::FileStep> steps;
    for (const FileMove& move : moves) steps.push_back({move.from, move.to});
    auto change = begin(std::move(steps));
    if (!change) return FilesOutcome::Stayed;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (!change->take(i)) {
            bool undone = true;
            for (std::size_t j = i; j-- > 0;) undone = change->undo(j) && undone;
            if (undone) {
                change->end();
                return FilesOutcome::Stayed;
            }
            // What could not be moved back stays where it went: the next start finishes the move.
            std::vector<std::size_t> every_step(moves.size());
            std::iota(every_step.begin(), every_step.end(), std::size_t{0});
            settle_lists();
            change->end(every_step);
            return FilesOutcome::Unfinished;
        }
        pause_steps(moves[i].pauses);
    }
    settle_lists();
    change->end();
    return FilesOutcome::Done;
}

std::vector<bool> delete_mails(const std::vector<MailFiles>& mails, const std::vector<std::string>& strays,
                               const DeletePauses& pauses) {
    // Per mail three steps: the mail to its hidden name, its record deleted, the hidden mail
    // deleted; then one step per stray record.
    std::vector<store::FileStep> steps;
    for (const MailFiles& m : mails) {
        steps.push_back({m.mail, hidden_name_of(m.mail)});
        steps.push_back({m.record, ""});
        steps.push_back({hidden_name_of(m.mail), ""});
    }
    for (const std::string& record : strays) steps.push_back({record, ""});
    std::vector<bool> went(mails.size(), false);
    auto change = begin(std::move(steps));
    if (!change) return went;

    std::vector<std::size_t> unfinished;
    for (std::size_t i = 0; i < mails.size(); ++i) {
        went[i] = change->take(3 * i);
        pause_steps(pauses.after_mail);
    }
    pause_steps(pauses.before_records);
    for (std::size_t i = 0; i < mails.size(); ++i) {
        if (!went[i] || mails[i].record.empty()) continue;
        if (!change->take(3 * i + 1)) {
            // The record stays: so does its mail.
            went[i] = false;
            if (!change->undo(3 * i)) unfinished.insert(unfinished.end(), {3 * i, 3 * i + 1, 3 * i + 2});
        }
        pause_steps(pauses.after_record);
    }
    for (std::size_t k = 3 * mails.size(); k < change->size(); ++k) {
        if (!change->take(k)) unfinished.push_back(k);
        pause_steps(pauses.after_record);
    }
    for (std::size_t i = 0; i < mails.size(); ++i) {
        if (went[i] && !change->take(3 * i + 2)) unfinished.push_back(3 * i + 2);
        // A mail that is no longer at its name has left the list, whatever is still to finish.
        went[i] = !files::file_exists(mails[i].mail);
    }
    change->end(unfinished);
    return went;
}

std::vector<MailFiles> mail_files(const std::string& mail_folder, const std::string& record_folder,
                                  const std::vector<std::string>& names) {
    std::vector<MailFiles> mails;
    for (const std::string& name : names) {
        if (name.empty()) {
            mails.push_back({"", ""});
        } else {
            mails.push_back({files::join(mail_folder, name),
                             record_folder.empty() ? "" : files::join(record_folder, SUMMARY_RECORD_NAME(name))});
        }
    }
    return mails;
}

std::vector<std::string> records_of_no_mail(const std::string& record_folder, const std::vector<MailFiles>& mails) {
    std::set<std::string> own;  // lower case, as names compare
    for (const MailFiles& m : mails) {
        if (!m.record.empty()) own.insert(lower_ascii(files::split_folder_name(m.record).second));
    }
    std::vector<std::string> strays;
    for (const std::string& record : files::list_folder_files(record_folder)) {
        if (!own.count(lower_ascii(record))) strays.push_back(files::join(record_folder, record));
    }
    return strays;
}

}  // namespace tv::folders
