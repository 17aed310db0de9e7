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
#include "store_census.h"

namespace tv::folders {
namespace {

using test::FileFaults;

// A mail of another content under mail i's name (and its record), or a sent file under sent i's.
void add_other_mail(FolderProgram& p, const store::MailStore& s, int i, bool received) {
    if (received) {
        p.h.add_mail(s.mail_folder, mail_name(i), "2026/12/01 09:00:00", "o <o@example.jp>", "there");
        p.add_record(s, record_name(i), "there");
    } else {
        p.h.write_lines(files::join(s.sent_folder, sent_name(i)), {"DATE: x", "FROM: me", "TO: o@example.jp", "SUBJECT: there"});
    }
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

}  // namespace
}  // namespace tv::folders
