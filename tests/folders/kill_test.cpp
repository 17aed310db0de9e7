// A kill at any file change of a move, restore, return or delete: the next start finds each mail
// once with its record, and every list names its store's mails row by row with the marks of the
// rows the action did not touch, also after later ordinary moves trust the lists' caches again.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <regex>

#include "common/receive_list_row.h"
#include "folder_program.h"
#include "folders/mail_lists.h"
#include "harness/file_faults.h"
#include "harness/outside_folder.h"
#include "store_census.h"

namespace tv::folders {
namespace {

using test::FileFaults;
using test::Killed;

// The number of a mail of these tests, from its name.
int number_of(const std::string& name) { return name[14] - '0'; }

// The marks the receive box's rows carry before the action: unread, answered, none.
const std::map<int, std::string>& first_marks() {
    static const std::map<int, std::string> marks{{1, UNREAD_MARK()}, {2, ANSWER_MARK()}, {3, ""}};
    return marks;
}

// Mails 1-3 in the receive box with their marks, 4-5 in the trash, 6-7 in JOB, each with its
// record ("rec n"); sent mail 8 in the send box, 9 in the trash.
void fill_stores(FolderProgram& p) {
    Strings rows;
    for (const auto& [n, mark] : first_marks()) {
        p.add_received(box(), n);
        std::string t = std::to_string(n);
        rows.push_back(build_receive_row("s" + t, " ", mark + "rec " + t, "2026/12/01 10:00:0" + t));
    }
    p.h.write_lines("SYSTEM_F\\F_JU.txt", rows);
    for (int n : {4, 5}) p.add_received(trash(), n);
    for (int n : {6, 7}) p.add_received(job(), n);
    p.add_sent("SOUSINBOX", 8);
    p.add_sent(trash().sent_folder, 9);
}

// Each row of the receive list is the row of the mail at its place, with the mark it had; a mail
// that came into the box has its row from its record.
void expect_receive_rows_follow_the_box(FolderProgram& p) {
    Strings names = FolderProgram::files_in("JUSINBOX");
    Strings rows = p.h.rows("MAINFORM", "LIST3");
    ASSERT_EQ(rows.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        int n = number_of(names[i]);
        auto mark = first_marks().find(n);
        std::string expected = (mark == first_marks().end() ? "" : mark->second) + "rec " + std::to_string(n);
        EXPECT_EQ(trim(rows[i].substr(56, 60)), expected) << "row " << i;
    }
}

// Each row of a trash or folder window's received list is the row of the mail at its place.
void expect_window_rows_follow_the_store(FolderProgram& p, const char* opener) {
    p.choose(opener);
    MailList list = window_list(globals().FOLDER_NO, true);
    Strings subjects = p.subjects(list.form, list.list);
    Strings names = FolderProgram::files_in(list.mail_folder);
    ASSERT_EQ(subjects.size(), names.size()) << opener;
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(subjects[i], "rec " + std::to_string(number_of(names[i]))) << opener << " row " << i;
    }
    pf::input::request_close(FolderProgram::form(list.form));
    p.h.settle();
}

struct KillCase {
    const char* name;
    Action action;
};

void PrintTo(const KillCase& c, std::ostream* out) { *out << c.name; }

class KillAtEveryChange : public ::testing::TestWithParam<KillCase> {};

TEST_P(KillAtEveryChange, EachMailStaysOnceAndEveryListFollowsItsStore) {
    const auto& [name, action] = GetParam();
    const Strings all{"mail 1", "mail 2", "mail 3", "mail 4", "mail 5", "mail 6", "mail 7", "sent 8", "sent 9"};
    std::string handler = action.handler;
    bool deletes = handler == "BUTTON14_ON" || handler == "BUTTON55_ON" || handler == "BUTTON56_ON";
    for (int step = 1;; ++step) {
        SCOPED_TRACE(std::string(name) + ", killed before change " + std::to_string(step));
        FolderProgram p;
        fill_stores(p);
        p.start();
        if (*action.opener) p.choose(action.opener);
        FileFaults faults;
        faults.kill_before(step);
        bool killed = false;
        try {
            act(p, {"", action.form, action.list, action.handler});
        } catch (const Killed&) {
            killed = true;
        }
        if (!killed) break;  // the action ran to its end: every change has been killed once
        faults.clear();
        ASSERT_TRUE(p.h.restart());
        Strings found = census();
        // Killed before the first change the mail is where it was; after it, where it went.
        if (deletes) {
            EXPECT_GE(found.size(), all.size() - 2);
        } else {
            EXPECT_EQ(found, all);
        }
        expect_receive_rows_follow_the_box(p);
        EXPECT_EQ(p.h.rows("MAINFORM", "LIST1").size(), FolderProgram::files_in("SOUSINBOX").size());
        // Ordinary moves into the trash and JOB afterwards bring their mail counts level with
        // whatever their caches hold: the windows must still show their own mails.
        for (const char* button : {"BUTTON11_ON", "BUTTON62_ON"}) act(p, {"", "MAINFORM", "LIST3", button});
        expect_receive_rows_follow_the_box(p);
        for (const char* opener : {"GOMINAKO", "JOB_F"}) expect_window_rows_follow_the_store(p, opener);
        // A delete takes the mail of the row the user chose.
        p.choose("JOB_F");
        std::string chosen = p.subjects("FORM16", "LIST27").at(0);
        act(p, {"", "FORM16", "LIST27", "BUTTON55_ON"});
        for (const std::string& left : FolderProgram::files_in(job().mail_folder)) {
            EXPECT_NE("rec " + std::to_string(number_of(left)), chosen);
        }
        EXPECT_EQ(FolderProgram::files_in(job().mail_folder).size(), p.subjects("FORM16", "LIST27").size());
        ASSERT_LT(step, 80);
    }
}

// Names of the cases, for the test list: letters and digits only.
std::string case_name(const ::testing::TestParamInfo<KillCase>& info) {
    std::string out;
    bool upper = true;
    for (const char* c = info.param.name; *c; ++c) {
        if (*c == ' ') {
            upper = true;
            continue;
        }
        out += upper ? static_cast<char>(std::toupper(*c)) : *c;
        upper = false;
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    EachAction, KillAtEveryChange,
    ::testing::Values(KillCase{"move into the trash", {"", "MAINFORM", "LIST3", "BUTTON11_ON"}},
                      KillCase{"move into a folder", {"", "MAINFORM", "LIST3", "BUTTON62_ON"}},
                      KillCase{"sent move into a folder", {"", "MAINFORM", "LIST1", "BUTTON63_ON"}},
                      KillCase{"restore from the trash", {"GOMINAKO", "FORM8", "LIST10", "BUTTON16_ON"}},
                      KillCase{"sent restore from the trash", {"GOMINAKO", "FORM8", "LIST11", "BUTTON17_ON"}},
                      KillCase{"move from the trash into a folder", {"GOMINAKO", "FORM8", "LIST10", "JOB_IDOU_JUSIN"}},
                      KillCase{"move from a folder into the trash", {"JOB_F", "FORM16", "LIST27", "GOMIBAKO_IDOU_JU"}},
                      KillCase{"return from a folder", {"JOB_F", "FORM16", "LIST27", "BUTTON54_ON"}},
                      KillCase{"delete in the trash", {"GOMINAKO", "FORM8", "LIST10", "BUTTON14_ON"}},
                      KillCase{"delete in a folder", {"JOB_F", "FORM16", "LIST27", "BUTTON55_ON"}},
                      KillCase{"delete all in a folder", {"JOB_F", "FORM16", "LIST27", "BUTTON56_ON"}}),
    case_name);

// A store folder the user has linked elsewhere is the program's own: a move into it that a kill
// stopped is finished there at the next start.
TEST(Kill, AMoveIntoAFolderLinkedElsewhereIsFinishedThere) {
    const Strings all{"mail 1", "mail 2", "mail 3", "mail 4", "mail 5", "mail 6", "mail 7", "sent 8", "sent 9"};
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

// The exit's emptying of the trash, killed at any file change: the next start finds the trash's
// mail either all there, each beside its record, or gone with its records, and the trash window
// opens on its own mail without a word.
TEST(Kill, EmptyingTheTrashAtExitLeavesNoMailApartFromItsRecord) {
    const Strings all{"mail 1", "mail 2", "mail 3", "mail 4", "mail 5", "mail 6", "mail 7", "sent 8", "sent 9"};
    const Strings emptied{"mail 1", "mail 2", "mail 3", "mail 6", "mail 7", "sent 8"};
    for (int step = 1;; ++step) {
        SCOPED_TRACE("killed before change " + std::to_string(step));
        FolderProgram p;
        fill_stores(p);
        p.start();
        globals().EMPTY_TRASH_AT_EXIT = "1";
        FileFaults faults;
        faults.kill_before(step);
        bool killed = false;
        try {
            p.h.run([] { pf::input::request_close(pf::form("MAINFORM")); });
        } catch (const Killed&) {
            killed = true;
        }
        if (!killed) {
            EXPECT_TRUE(p.h.program_ended());
        }
        faults.clear();
        ASSERT_TRUE(p.h.restart());
        Strings found = census();
        if (killed) {
            EXPECT_TRUE(found == all || found == emptied) << ::testing::PrintToString(found);
        } else {
            EXPECT_EQ(found, emptied);
        }
        expect_receive_rows_follow_the_box(p);
        p.h.boxes().clear();
        expect_window_rows_follow_the_store(p, "GOMINAKO");
        EXPECT_TRUE(p.titles().empty()) << p.titles().front();
        if (!killed) break;
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
