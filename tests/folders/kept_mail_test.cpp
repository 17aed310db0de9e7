// No action of the trash and folder windows loses or doubles a mail: not onto a name that is
// taken, not when a file cannot be taken away, not when the program is killed at any step.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <regex>

#include "common/summary_record.h"
#include "common/text_file.h"
#include "folder_program.h"
#include "folders/mail_lists.h"
#include "harness/file_faults.h"
#include "harness/outside_folder.h"
#include "store/store_change.h"

namespace tv::folders {
namespace {

using test::FileFaults;
using test::Killed;

const store::MailStore& box() { return store::receive_box(); }
const store::MailStore& store_of(int folder_no) { return folder_no < 0 ? box() : store::store_by_folder_no(folder_no); }

// The subject line a mail file holds, without its label.
std::string subject_of(const std::string& path) {
    auto lines = files::read_lines(path);
    return lines && lines->size() > 3 ? (*lines)[3].substr((*lines)[3].find(' ') + 1) : std::string();
}

// Every mail of the six stores, by the subject it holds, sorted. Each received mail must lie
// beside its own record, no record without its mail, and no hidden file anywhere.
Strings census() {
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
    std::sort(subjects.begin(), subjects.end());
    return subjects;
}

// A mail of another content under mail i's name (and its record), or a sent file under sent i's.
void add_other_mail(FolderProgram& p, const store::MailStore& s, int i, bool received) {
    if (received) {
        p.h.add_mail(s.mail_folder, mail_name(i), "2026/12/01 09:00:00", "o <o@example.jp>", "there");
        p.add_record(s, record_name(i), "there");
    } else {
        p.h.write_lines(files::join(s.sent_folder, sent_name(i)), {"DATE: x", "FROM: me", "TO: o@example.jp", "SUBJECT: there"});
    }
}

// One action on the first row of a list, after its window was opened; every question answered Yes.
struct Action {
    const char* opener;  // menu item that opens the window, "" for the main window
    const char* form;
    const char* list;
    const char* handler;
};

void act(FolderProgram& p, const Action& a) {
    if (*a.opener) p.choose(a.opener);
    p.h.click_row(a.form, a.list, 0);
    p.h.boxes().clear();
    for (int i = 0; i < 3; ++i) p.h.boxes().answer_next(MsgAnswer::Yes);
    p.run(a.handler);
}

TEST(SameName, AMovedMailTakesAFreeNameBesideTheOther) {
    struct Case {
        const char* name;
        int from, to;  // FOLDER_NO, -1 the receive and send boxes
        bool received;
        Action action;
    };
    const std::vector<Case> cases{
        {"receive box into the trash", -1, 0, true, {"", "MAINFORM", "LIST3", "BUTTON11_ON"}},
        {"send box into the trash", -1, 0, false, {"", "MAINFORM", "LIST1", "BUTTON12_ON"}},
        {"receive box into a folder", -1, 1, true, {"", "MAINFORM", "LIST3", "BUTTON62_ON"}},
        {"trash back to the receive box", 0, -1, true, {"GOMINAKO", "FORM8", "LIST10", "BUTTON16_ON"}},
        {"trash back to the send box", 0, -1, false, {"GOMINAKO", "FORM8", "LIST11", "BUTTON17_ON"}},
        {"trash into a folder", 0, 1, true, {"GOMINAKO", "FORM8", "LIST10", "JOB_IDOU_JUSIN"}},
        {"folder into the trash", 1, 0, true, {"JOB_F", "FORM16", "LIST27", "GOMIBAKO_IDOU_JU"}},
        {"folder back to the receive box", 1, -1, true, {"JOB_F", "FORM16", "LIST27", "BUTTON54_ON"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FolderProgram p;
        const store::MailStore& from = store_of(c.from);
        const store::MailStore& to = store_of(c.to);
        if (c.received) {
            p.add_received(from, 1);
        } else {
            p.add_sent(from.sent_folder, 1);
        }
        add_other_mail(p, to, 1, c.received);
        p.start();
        act(p, c.action);
        EXPECT_EQ(p.titles().size(), 1u);  // the question alone
        std::string moved = c.received ? "20261201_100001_1.eml" : "20261201_200001_1.txt";
        std::string other = c.received ? mail_name(1) : sent_name(1);
        const char* folder = c.received ? to.mail_folder : to.sent_folder;
        EXPECT_EQ(FolderProgram::files_in(folder), (Strings{other, moved}));
        EXPECT_EQ(subject_of(files::join(folder, other)), "there");
        EXPECT_EQ(subject_of(files::join(folder, moved)), c.received ? "mail 1" : "sent 1");
        EXPECT_EQ(census(), (Strings{c.received ? "mail 1" : "sent 1", "there"}));
    }
}

TEST(FailedDelete, AMoveOrReturnThatCannotTakeTheMailAwaySaysSoAndKeepsIt) {
    struct Case {
        const char* name;
        int from;
        std::string refused;  // the file that cannot be taken away
        Action action;
        std::string place;    // named in the message
    };
    const std::vector<Case> cases{
        {"mail into the trash", -1, mail_name(1), {"", "MAINFORM", "LIST3", "BUTTON11_ON"}, "ごみ箱"_sj},
        {"record into the trash", -1, record_name(1), {"", "MAINFORM", "LIST3", "BUTTON11_ON"}, "ごみ箱"_sj},
        {"trash mail into a folder", 0, mail_name(1), {"GOMINAKO", "FORM8", "LIST10", "JOB_IDOU_JUSIN"}, "ＪＯＢフォルダ"_sj},
        {"folder mail back to the box", 1, mail_name(1), {"JOB_F", "FORM16", "LIST27", "BUTTON54_ON"}, "受信ボックス"_sj},
        {"trash record back to the box", 0, record_name(1), {"GOMINAKO", "FORM8", "LIST10", "BUTTON16_ON"}, "受信ボックス"_sj},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FolderProgram p;
        const store::MailStore& from = store_of(c.from);
        p.add_received(from, 1);
        p.add_received(from, 2);
        p.start();
        FileFaults faults;
        faults.cannot_take_away(c.refused);
        Strings rows_before;
        act(p, c.action);
        ASSERT_EQ(p.titles().size(), 2u);
        EXPECT_EQ(p.titles()[1], "NOT MOVED !");
        EXPECT_EQ(p.h.boxes().shown()[1].text, "メールを「"_sj + c.place + "」に移動できませんでした。    "_sj + "\r\n\r\n" +
                                                   "メールは元の場所に残っています。    "_sj);
        faults.clear();
        EXPECT_EQ(FolderProgram::files_in(from.mail_folder), (Strings{mail_name(1), mail_name(2)}));
        EXPECT_EQ(census(), (Strings{"mail 1", "mail 2"}));
        // The row stays with its mail, and the window that acted is there to act again.
        EXPECT_EQ(p.h.rows(c.action.form, c.action.list).size(), 2u);
        EXPECT_TRUE(FolderProgram::form(c.action.form).visible);
        EXPECT_TRUE(FolderProgram::form(c.action.form).enabled);
        EXPECT_FALSE(p.h.program_ended());
    }
}

TEST(FailedDelete, ADeleteThatCannotTakeTheMailAwaySaysSoAndKeepsIt) {
    for (std::string refused : {mail_name(1), record_name(1)}) {
        SCOPED_TRACE(refused);
        FolderProgram p;
        p.add_received(trash(), 1);
        p.add_received(trash(), 2);
        p.start();
        p.choose("GOMINAKO");
        FileFaults faults;
        faults.cannot_take_away(refused);
        act(p, {"", "FORM8", "LIST10", "BUTTON14_ON"});
        ASSERT_EQ(p.titles(), (Strings{"削除"_sj, "NOT DELETED !"}));
        EXPECT_EQ(p.h.boxes().shown()[1].text,
                  "メールを削除できませんでした。    "_sj + "\r\n\r\n" + "メールは元の場所に残っています。    "_sj);
        faults.clear();
        EXPECT_EQ(census(), (Strings{"mail 1", "mail 2"}));
        EXPECT_EQ(p.subjects("FORM8", "LIST10"), (Strings{"rec 1", "rec 2"}));
    }
}

TEST(FailedDelete, DeleteAllKeepsWhatCannotGoWithItsRecordAndRow) {
    for (std::string refused : {mail_name(2), record_name(2)}) {
        SCOPED_TRACE(refused);
        FolderProgram p;
        for (int i = 1; i <= 3; ++i) p.add_received(job(), i);
        p.add_record(job(), "20261130_000000.dxd", "stray");
        p.start();
        p.choose("JOB_F");
        FileFaults faults;
        faults.cannot_take_away(refused);
        p.h.boxes().clear();
        p.h.boxes().answer_next(MsgAnswer::Yes);
        p.h.click("FORM16", "BUTTON56");
        ASSERT_EQ(p.titles(), (Strings{"全て削除"_sj, "NOT DELETED !"}));
        EXPECT_EQ(p.h.boxes().shown()[1].text,
                  "削除できなかったメールがあります。    "_sj + "\r\n\r\n" + "そのメールは元の場所に残っています。    "_sj);
        faults.clear();
        EXPECT_EQ(census(), Strings{"mail 2"});
        EXPECT_EQ(p.subjects("FORM16", "LIST27"), Strings{"mail 2"});  // as the repair read it
        EXPECT_EQ(FolderProgram::list("FORM16", "LIST25").items(), Strings{mail_name(2)});
        EXPECT_EQ(FolderProgram::count_line("FORM16", true), FolderProgram::count_text(true, 1));
        // The next opening trusts what the list holds now.
        pf::input::request_close(FolderProgram::form("FORM16"));
        p.h.settle();
        p.h.boxes().clear();
        p.choose("JOB_F");
        EXPECT_EQ(p.subjects("FORM16", "LIST27"), Strings{"mail 2"});
        EXPECT_TRUE(p.titles().empty());
    }
}

// Mails in the receive box, the trash and JOB, each with its record, and sent mail in the boxes.
void fill_stores(FolderProgram& p) {
    for (int i = 1; i <= 3; ++i) p.add_received(box(), i);
    p.add_received(trash(), 4);
    p.add_received(job(), 5);
    p.add_sent("SOUSINBOX", 6);
    p.add_sent(trash().sent_folder, 7);
}

TEST(Kill, AtEveryStepTheNextStartFindsEachMailOnceWithItsRecordAndRow) {
    const Strings all{"mail 1", "mail 2", "mail 3", "mail 4", "mail 5", "sent 6", "sent 7"};
    struct Case {
        const char* name;
        Action action;
    };
    const std::vector<Case> cases{
        {"move into the trash", {"", "MAINFORM", "LIST3", "BUTTON11_ON"}},
        {"sent move into a folder", {"", "MAINFORM", "LIST1", "BUTTON63_ON"}},
        {"restore from the trash", {"GOMINAKO", "FORM8", "LIST10", "BUTTON16_ON"}},
        {"move from the trash into a folder", {"GOMINAKO", "FORM8", "LIST10", "JOB_IDOU_JUSIN"}},
        {"return from a folder", {"JOB_F", "FORM16", "LIST27", "BUTTON54_ON"}},
        {"delete in the trash", {"GOMINAKO", "FORM8", "LIST10", "BUTTON14_ON"}},
        {"delete all in a folder", {"JOB_F", "FORM16", "LIST27", "BUTTON56_ON"}},
    };
    for (const Case& c : cases) {
        bool deletes = std::string(c.action.handler) == "BUTTON14_ON" || std::string(c.action.handler) == "BUTTON56_ON";
        for (int step = 1;; ++step) {
            SCOPED_TRACE(std::string(c.name) + ", killed before change " + std::to_string(step));
            FolderProgram p;
            fill_stores(p);
            p.start();
            if (*c.action.opener) p.choose(c.action.opener);
            FileFaults faults;
            faults.kill_before(step);
            bool killed = false;
            try {
                act(p, {"", c.action.form, c.action.list, c.action.handler});
            } catch (const Killed&) {
                killed = true;
            }
            if (!killed) break;  // the action ran to its end: every step has been killed once
            ASSERT_TRUE(p.h.restart());
            Strings found = census();
            // Killed before the first change the mail is where it was; after it, where it went.
            if (deletes) {
                EXPECT_GE(found.size(), all.size() - 1);
            } else {
                EXPECT_EQ(found, all);
            }
            EXPECT_EQ(p.h.rows("MAINFORM", "LIST3").size(), FolderProgram::files_in("JUSINBOX").size());
            EXPECT_EQ(p.h.rows("MAINFORM", "LIST1").size(), FolderProgram::files_in("SOUSINBOX").size());
            for (const char* item : {"GOMINAKO", "JOB_F"}) {
                p.choose(item);
                const std::string& window = pf::forms().is_loaded("FORM8") ? "FORM8" : "FORM16";
                MailList received = window_list(globals().FOLDER_NO, true);
                EXPECT_EQ(received.rows().count(), received.listing().count()) << item;
                EXPECT_EQ(window_list(globals().FOLDER_NO, false).rows().count(),
                          window_list(globals().FOLDER_NO, false).listing().count()) << item;
                pf::input::request_close(FolderProgram::form(window));
                p.h.settle();
            }
            ASSERT_LT(step, 60);
        }
    }
}

// A store folder the user has linked elsewhere is the program's own: a move into it that a kill
// stopped is finished there at the next start.
TEST(Kill, AMoveIntoAFolderLinkedElsewhereIsFinishedThere) {
    const Strings all{"mail 1", "mail 2", "mail 3", "mail 4", "mail 5", "sent 6", "sent 7"};
    for (int step = 1;; ++step) {
        SCOPED_TRACE("killed before change " + std::to_string(step));
        test::OutsideFolder elsewhere;
        FolderProgram p;
        p.h.make_folder("SYSTEM_F\\FORDA_FO");
        std::filesystem::create_directory_symlink(elsewhere.path, p.h.folder / "SYSTEM_F" / "FORDA_FO" / "JOB");
        fill_stores(p);
        p.start();
        FileFaults faults;
        faults.kill_before(step);
        bool killed = false;
        try {
            act(p, {"", "MAINFORM", "LIST3", "BUTTON62_ON"});
        } catch (const Killed&) {
            killed = true;
        }
        if (!killed) break;
        ASSERT_TRUE(p.h.restart());
        EXPECT_EQ(census(), all);
        EXPECT_TRUE(std::filesystem::is_symlink(p.h.folder / "SYSTEM_F" / "FORDA_FO" / "JOB"));
        ASSERT_LT(step, 60);
    }
}

// The temporary files of whole-file writes below the program folder.
Strings temporary_files(const test::Harness& h) {
    static const std::regex temporary(R"(\..+\.tmp[0-9]+_[0-9]+)");
    Strings found;
    for (const auto& e : std::filesystem::recursive_directory_iterator(h.folder)) {
        std::string name = e.path().filename().string();
        if (std::regex_match(name, temporary)) found.push_back(std::filesystem::relative(e.path(), h.folder).string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

TEST(Kill, InsideAWholeFileWriteTheNextStartLeavesNoTemporaryFile) {
    struct Case {
        const char* name;
        const char* temporary;  // how the temporary file's name begins
        Action action;
    };
    const std::vector<Case> cases{
        {"the change written down", "..store_change.tmp", {"", "MAINFORM", "LIST3", "BUTTON11_ON"}},
        {"the trash's list cache", ".G_JU.txt.tmp", {"GOMINAKO", "FORM8", "LIST10", "BUTTON14_ON"}},
        {"the receive list's cache", ".F_JU.txt.tmp", {"", "MAINFORM", "LIST3", "BUTTON11_ON"}},
    };
    // Files that only look like one, and one of the form outside the program's folders: all stay.
    const Strings lookalikes{"SYSTEM_F/.G_JU.txt.tmp12", "SYSTEM_F/.G_JU.txt.tmp1_2.bak", "SYSTEM_F/.G_JU.txt.tmpa_1",
                             "SYSTEM_F/G_JU.txt.tmp1_2", "SYSTEM_F/.tmp1_2", ".notes.txt.tmp1_2"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FolderProgram p;
        fill_stores(p);
        p.start();
        if (*c.action.opener) p.choose(c.action.opener);
        FileFaults faults;
        faults.kill_before(files::FileChange::Rename, c.temporary);
        bool killed = false;
        try {
            act(p, {"", c.action.form, c.action.list, c.action.handler});
        } catch (const Killed&) {
            killed = true;
        }
        ASSERT_TRUE(killed);
        ASSERT_EQ(temporary_files(p.h).size(), 1u);
        for (const std::string& name : lookalikes) p.h.write(name, "mine");
        ASSERT_TRUE(p.h.restart());
        EXPECT_EQ(temporary_files(p.h), Strings{".notes.txt.tmp1_2"});
        for (const std::string& name : lookalikes) EXPECT_EQ(p.h.read(name), "mine") << name;
        census();  // and the stores are whole
    }
}

}  // namespace
}  // namespace tv::folders
