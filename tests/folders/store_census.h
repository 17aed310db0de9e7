// What a test finds in the six stores after an action: each mail once, beside its own record, and
// no file left half moved; and the one action on a list's first row that the tests run.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "common/atomic_file.h"
#include "common/summary_record.h"
#include "common/text_file.h"
#include "folder_program.h"
#include "store/mail_stores.h"
#include "store/store_change.h"

namespace tv::folders {

inline const store::MailStore& box() { return store::receive_box(); }
inline const store::MailStore& store_of(int folder_no) {
    return folder_no < 0 ? box() : store::store_by_folder_no(folder_no);
}

// The subject line a mail file holds, without its label.
inline std::string subject_of(const std::string& path) {
    auto lines = files::read_lines(path);
    return lines && lines->size() > 3 ? (*lines)[3].substr((*lines)[3].find(' ') + 1) : std::string();
}

// Every mail of the six stores, by the subject it holds, sorted. Each received mail must lie
// beside its own record, no record without its mail, no hidden file in a store, and no temporary
// file of a whole-file write anywhere in the program's folders.
inline Strings census() {
    Strings subjects;
    for (const store::MailStore& s : store::mail_stores()) {
        Strings records;
        for (const std::string& mail : FolderProgram::files_in(s.mail_folder)) {
            records.push_back(SUMMARY_RECORD_NAME(mail));
            subjects.push_back(subject_of(files::join(s.mail_folder, mail)));
        }
        for (const std::string& sent : FolderProgram::files_in(s.sent_folder)) {
            subjects.push_back(subject_of(files::join(s.sent_folder, sent)));
        }
        EXPECT_EQ(FolderProgram::files_in(s.record_folder), records) << s.name;
        for (const char* folder : {s.mail_folder, s.record_folder, s.sent_folder}) {
            EXPECT_EQ(FolderProgram::hidden_in(folder), Strings{}) << folder;
        }
    }
    EXPECT_FALSE(files::file_exists(store::kChangeFile));
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator e(files::program_folder(), ec), end; !ec && e != end; e.increment(ec)) {
        // The program writes nothing of its own directly in the program folder.
        bool temporary = e.depth() > 0 && files::is_atomic_temp_name(e->path().filename().string());
        EXPECT_FALSE(temporary) << e->path();
    }
    std::sort(subjects.begin(), subjects.end());
    return subjects;
}

// One action on the first row of a list, after its window was opened; every question answered Yes.
struct Action {
    const char* opener;  // menu item that opens the window, "" for the main window
    const char* form;
    const char* list;
    const char* handler;
};

inline void act(FolderProgram& p, const Action& a) {
    if (*a.opener) p.choose(a.opener);
    p.h.click_row(a.form, a.list, 0);
    p.h.boxes().clear();
    for (int i = 0; i < 3; ++i) p.h.boxes().answer_next(MsgAnswer::Yes);
    p.run(a.handler);
}

}  // namespace tv::folders
