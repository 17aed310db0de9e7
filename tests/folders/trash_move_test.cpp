#include <gtest/gtest.h>

#include <filesystem>

#include "common/globals.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "harness/harness.h"
#include "platform/forms.h"

namespace tv::folders {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using Strings = std::vector<std::string>;
using pf::MsgAnswer;

std::string mail_name(int i) { return "20261201_10000" + std::to_string(i) + ".eml"; }
std::string record_name(int i) { return "20261201_10000" + std::to_string(i) + ".dxd"; }
std::string sent_name(int i) { return "20261201_20000" + std::to_string(i) + ".txt"; }

// Three received mails with their records and three sent mails, the program started on them.
struct Program {
    test::Harness h;

    Program() {
        h.install_fake_parser();
        for (int i = 1; i <= 3; ++i) {
            std::string n = std::to_string(i);
            h.add_mail("JUSINBOX", mail_name(i), "2026/12/01 10:00:0" + n, "s" + n + " <s@example.jp>", "mail " + n);
            h.write("SYSTEM_F\\F_D_F\\" + record_name(i),
                    "\"DATE: 2026/12/01 10:00:0" + n + "\",\"FROM: s" + n + "\",\"SUBJECT: mail " + n + "\",\" \"\r\n");
            h.write_lines("SOUSINBOX\\" + sent_name(i), {"DATE: 2026/12/01 20:00:0" + n, "FROM: me",
                                                         "TO: to" + n + "@example.jp", "SUBJECT: sent " + n, "BODY:", "x",
                                                         "FILE:"});
        }
    }
    void start() {
        ASSERT_TRUE(h.start());
        h.boxes().clear();
    }

    static Strings files_in(const std::string& folder) { return files::list_folder_files(folder); }
    // Hidden entries, which listings leave out: no half-made copy may stay behind.
    static Strings hidden_entries(const std::string& folder) {
        Strings names;
        for (const auto& e : std::filesystem::directory_iterator(files::resolve(folder))) {
            if (e.path().filename().string().starts_with(".")) names.push_back(e.path().filename());
        }
        return names;
    }
    static pf::Control& list(const char* name) { return pf::form("MAINFORM").control(name); }
    // The subject column of each row (the same place in both main lists).
    Strings subjects(const char* name) {
        Strings out;
        for (const auto& row : h.rows("MAINFORM", name)) out.push_back(trim(row.substr(56, 60)));
        return out;
    }
    Strings titles() {
        Strings out;
        for (const auto& box : h.boxes().shown()) out.push_back(box.title);
        return out;
    }
    // The count line as last drawn.
    static std::string last_drawn(const std::string& prefix) {
        std::string found;
        for (const auto& op : pf::form("MAINFORM").drawing()) {
            if (op.text.starts_with(prefix)) found = op.text;
        }
        return found;
    }
    static void expect_counts(int received, int sent) {
        EXPECT_EQ(last_drawn("[ 受信"_sj), "[ 受信ボックス内メール数： "_sj + std::to_string(received) + " 通 ]"_sj);
        EXPECT_EQ(last_drawn("[ 送信"_sj), "[ 送信ボックス内メール数： "_sj + std::to_string(sent) + " 通 ]"_sj);
    }

    // Mail files, records, rows and cache of the receive box are those of mails `kept`.
    void expect_receive_box(const std::vector<int>& kept) {
        Strings mails, records, rows;
        for (int i : kept) {
            mails.push_back(mail_name(i));
            records.push_back(record_name(i));
            rows.push_back("mail " + std::to_string(i));
        }
        EXPECT_EQ(files_in("JUSINBOX"), mails);
        EXPECT_EQ(files_in("SYSTEM_F\\F_D_F"), records);
        EXPECT_EQ(list("LIST2").items(), mails);
        EXPECT_EQ(subjects("LIST3"), rows);
        EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), test::crlf(h.rows("MAINFORM", "LIST3")));
    }
    void expect_trash(const Strings& mails, const Strings& records, const Strings& sent) {
        EXPECT_EQ(files_in("GOMIBAKO\\JUSIN_FO"), mails);
        EXPECT_EQ(files_in("GOMIBAKO\\F_D_F"), records);
        EXPECT_EQ(files_in("GOMIBAKO\\SOUSIN_FO"), sent);
        for (const char* folder : {"GOMIBAKO\\JUSIN_FO", "GOMIBAKO\\F_D_F", "GOMIBAKO\\SOUSIN_FO"}) {
            EXPECT_EQ(hidden_entries(folder), Strings{}) << folder;
        }
    }
    void expect_send_box(const std::vector<int>& kept) {
        Strings names, rows;
        for (int i : kept) {
            names.push_back(sent_name(i));
            rows.push_back("sent " + std::to_string(i));
        }
        EXPECT_EQ(files_in("SOUSINBOX"), names);
        EXPECT_EQ(list("LIST5").items(), names);
        EXPECT_EQ(subjects("LIST1"), rows);
    }
};

struct Confirmation {
    const char* name;
    std::string no_confirm;
    std::vector<MsgAnswer> answers;
    bool asked, moves;
};

const std::vector<Confirmation> kConfirmations{
    {"answered Yes", "0", {MsgAnswer::Yes}, true, true},
    {"answered No", "0", {MsgAnswer::No}, true, false},
    {"no confirmation", "1", {}, false, true},
};

TEST(TrashMove, ReceivedMailButton) {
    for (const auto& c : kConfirmations) {
        SCOPED_TRACE(c.name);
        Program p;
        p.start();
        globals().NO_TRASH_CONFIRM = c.no_confirm;
        for (auto a : c.answers) p.h.boxes().answer_next(a);
        Program::list("LIST3").set_top_index(0);
        p.h.click_row("MAINFORM", "LIST3", 1);
        p.h.click("MAINFORM", "BUTTON11");
        EXPECT_EQ(p.titles(), c.asked ? Strings{"「ごみ箱」へ移動"_sj} : Strings{});
        if (!c.moves) {
            p.expect_receive_box({1, 2, 3});
            p.expect_trash({}, {}, {});
            EXPECT_EQ(Program::list("LIST3").selected(), 1);
            continue;
        }
        p.expect_receive_box({1, 3});
        p.expect_trash({mail_name(2)}, {record_name(2)}, {});
        EXPECT_EQ(Program::list("LIST3").selected(), 1);  // the mail that followed
        EXPECT_EQ(Program::list("LIST3").top_index(), 0);
        p.expect_send_box({1, 2, 3});
        Program::expect_counts(2, 3);
        EXPECT_FALSE(p.h.exists("SYSTEM_F\\G_JU.txt"));  // the trash window rebuilds its list on opening
    }
}

TEST(TrashMove, SentMailButton) {
    for (const auto& c : kConfirmations) {
        SCOPED_TRACE(c.name);
        Program p;
        p.start();
        globals().NO_TRASH_CONFIRM = c.no_confirm;
        for (auto a : c.answers) p.h.boxes().answer_next(a);
        p.h.click_row("MAINFORM", "LIST1", 0);
        p.h.click("MAINFORM", "BUTTON12");
        EXPECT_EQ(p.titles(), c.asked ? Strings{"「ごみ箱」へ移動"_sj} : Strings{});
        p.expect_send_box(c.moves ? std::vector<int>{2, 3} : std::vector<int>{1, 2, 3});
        p.expect_trash({}, {}, c.moves ? Strings{sent_name(1)} : Strings{});
        p.expect_receive_box({1, 2, 3});
        EXPECT_EQ(Program::list("LIST1").selected(), 0);
        if (c.moves) Program::expect_counts(3, 2);
    }
}

TEST(TrashMove, RefusalsChangeNothing) {
    struct Case { const char* name; const char* list; int row; const char* button; std::string keep; std::string title; bool moves; };
    std::vector<Case> cases{
        {"nothing selected (receive)", "LIST3", -1, "BUTTON11", "0", "NOT SELECT", false},
        {"nothing selected (send)", "LIST1", -1, "BUTTON12", "0", "NOT SELECT", false},
        {"keep on server, older mail", "LIST3", 1, "BUTTON11", "1", "SORRY!!", false},
        {"keep on server, newest mail", "LIST3", 2, "BUTTON11", "1", "", true},
        {"keep on server, sent mail", "LIST1", 0, "BUTTON12", "1", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        p.start();
        globals().NO_TRASH_CONFIRM = "1";
        globals().KEEP_ON_SERVER = c.keep;
        Program::list("LIST3").select(-1);
        Program::list("LIST1").select(-1);
        if (c.row >= 0) p.h.click_row("MAINFORM", c.list, c.row);
        p.h.click("MAINFORM", c.button);
        EXPECT_EQ(p.titles(), c.title.empty() ? Strings{} : Strings{c.title});
        int left = static_cast<int>(Program::files_in("JUSINBOX").size() + Program::files_in("SOUSINBOX").size());
        EXPECT_EQ(left, c.moves ? 5 : 6);
    }
    // Moving the last row leaves no row selected.
    Program p;
    p.start();
    globals().NO_TRASH_CONFIRM = "1";
    p.h.click_row("MAINFORM", "LIST3", 2);
    p.h.click("MAINFORM", "BUTTON11");
    p.expect_receive_box({1, 2});
    EXPECT_EQ(Program::list("LIST3").selected(), -1);
}

TEST(TrashMove, DeleteKeyMovesBothSelectionsWithoutAsking) {
    Program p;
    p.start();
    // A click in one list clears the other's selection: both are selected as a right click leaves them.
    Program::list("LIST3").select(0);
    Program::list("LIST1").select(2);
    p.h.press_delete();
    EXPECT_TRUE(p.titles().empty());
    p.expect_receive_box({2, 3});
    p.expect_send_box({1, 2});
    p.expect_trash({mail_name(1)}, {record_name(1)}, {sent_name(3)});
    EXPECT_EQ(Program::list("LIST3").selected(), 0);
    EXPECT_EQ(Program::list("LIST1").selected(), -1);
    Program::expect_counts(2, 2);
    // The next press moves the mail that followed.
    p.h.press_delete();
    p.expect_receive_box({3});
    p.expect_trash({mail_name(1), mail_name(2)}, {record_name(1), record_name(2)}, {sent_name(3)});
}

TEST(TrashMove, FailedCopyKeepsTheMailWhereItWas) {
    // A folder of the mail's or the record's name in the trash blocks the copy.
    for (std::string blocked : {"GOMIBAKO\\JUSIN_FO\\" + mail_name(2), "GOMIBAKO\\F_D_F\\" + record_name(2)}) {
        SCOPED_TRACE(blocked);
        Program p;
        p.start();
        p.h.make_folder(blocked);
        globals().NO_TRASH_CONFIRM = "1";
        p.h.click_row("MAINFORM", "LIST3", 1);
        p.h.click("MAINFORM", "BUTTON11");
        EXPECT_EQ(p.titles(), Strings{"NOT MOVED !"});
        p.expect_receive_box({1, 2, 3});
        p.expect_trash({}, {}, {});
        EXPECT_EQ(Program::list("LIST3").selected(), 1);
        Program::expect_counts(3, 3);
    }
    Program p;
    p.start();
    p.h.make_folder("GOMIBAKO\\SOUSIN_FO\\" + sent_name(1));
    p.h.click_row("MAINFORM", "LIST1", 0);
    p.h.press_delete();
    EXPECT_EQ(p.titles(), Strings{"NOT MOVED !"});
    p.expect_send_box({1, 2, 3});
    p.expect_trash({}, {}, {});
}

TEST(TrashMove, MoveNeverReplacesATrashFileOfTheSameName) {
    Program p;
    p.start();
    p.h.write("GOMIBAKO\\JUSIN_FO\\" + mail_name(1), "old");
    p.h.click_row("MAINFORM", "LIST3", 0);
    p.h.press_delete();
    EXPECT_EQ(p.h.read("GOMIBAKO\\JUSIN_FO\\" + mail_name(1)), "old");
    EXPECT_EQ(p.h.read("GOMIBAKO\\JUSIN_FO\\20261201_100001_1.eml").substr(0, 6), "DATE: ");
    EXPECT_EQ(Program::files_in("GOMIBAKO\\F_D_F"), Strings{"20261201_100001_1.dxd"});
    p.expect_receive_box({2, 3});
}

TEST(TrashMove, RecordIsTheMailsOwnNotTheOneAtItsPlace) {
    Program p;
    p.start();
    // The first mail lost its record and a stray record sorts before every other.
    files::remove_file("SYSTEM_F\\F_D_F\\" + record_name(1));
    p.h.write("SYSTEM_F\\F_D_F\\20261201_100000.dxd", "\"DATE: x\",\"FROM: y\",\"SUBJECT: stray\",\" \"\r\n");
    p.h.click_row("MAINFORM", "LIST3", 0);
    p.h.press_delete();
    p.expect_trash({mail_name(1)}, {}, {});
    EXPECT_EQ(Program::files_in("SYSTEM_F\\F_D_F"), (Strings{"20261201_100000.dxd", record_name(2), record_name(3)}));
    p.h.press_delete();  // now the second mail, whose record is at another place
    p.expect_trash({mail_name(1), mail_name(2)}, {record_name(2)}, {});
}

TEST(TrashMove, EverySentFileKeepsARowAfterAMove) {
    Program p;
    p.h.write_lines("SOUSINBOX\\20261201_199999.txt", {"DATE: 2026/12/01 19:59:59", "FROM: me", "", "SUBJECT: no recipient"});
    p.start();
    p.h.click_row("MAINFORM", "LIST1", 1);
    p.h.press_delete();
    p.expect_trash({}, {}, {sent_name(1)});
    EXPECT_EQ(p.subjects("LIST1"), (Strings{"no recipient", "sent 2", "sent 3"}));
    EXPECT_EQ(Program::list("LIST1").selected(), 1);
}

}  // namespace
}  // namespace tv::folders
