// Moving and deleting mail files and records between stores without ever losing or doubling one:
// each action is one store change (store/store_change.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tv::folders {

// What became of the files of an action.
enum class FilesOutcome {
    Done,
    Stayed,      // a step was refused and every file is where it was
    Unfinished,  // a step was refused and could not be taken back: the next start finishes it
};

struct FileMove {
    std::string from;  // system paths; `to` is a free name, never a file's that is there
    std::string to;
    int pauses = 1;    // 20 ms pauses after the move
};

// Moves the files as one change: all that exist move, or none does. A missing source is skipped
// (its pauses are kept). Once the files have moved, `settle_lists` brings the lists up to them
// while the change is still written down, so that a kill before the lists are written leaves
// the next start to do it.
FilesOutcome move_files(const std::vector<FileMove>& moves, const std::function<void()>& settle_lists);

// A mail to delete: its file and its record (empty for sent mail).
struct MailFiles {
    std::string mail;
    std::string record;
};

struct DeletePauses {
    int after_mail = 0;      // after each mail file
    int before_records = 0;  // once, between the mail files and the records
    int after_record = 0;    // after each record of a mail, and each record without one
};

// Deletes the mails for good as one change, each with its record or not at all: every mail first
// goes to a hidden name beside it, so that one whose record cannot be deleted comes back whole.
// Records of no mail (`strays`) go as well. Gives, for each mail, whether it went.
std::vector<bool> delete_mails(const std::vector<MailFiles>& mails, const std::vector<std::string>& strays,
                               const DeletePauses& pauses);

// The files of each mail of a folder that `names` lists, with its record where the folder's mail
// has records (`record_folder` not empty). An empty name gives an empty entry, so entry i is name i.
std::vector<MailFiles> mail_files(const std::string& mail_folder, const std::string& record_folder,
                                  const std::vector<std::string>& names);

// The records of `record_folder` that belong to none of `mails`: a store emptied for good takes
// them too, so that nothing of its received mail stays described.
std::vector<std::string> records_of_no_mail(const std::string& record_folder, const std::vector<MailFiles>& mails);

}  // namespace tv::folders
