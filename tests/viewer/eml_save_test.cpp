// Saving a mail as an .eml file: the default name, the dialog's checks, the remembered folder, and
// the members that find the mail (main window, viewer, trash window).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "harness/file_faults.h"
#include "harness/outside_folder.h"
#include "platform/events.h"
#include "store/eml_save.h"
#include "save_folder.h"
#include "store/receive_list.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

using Kind = pf::headless::ScriptedDialogs::Kind;

bool disk_exists(const std::string& path) { return std::filesystem::exists(path); }
std::string repeated(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(EmlSave, DefaultNameFromTheSubject) {
    struct Case { std::string subject, name; };
    for (const auto& c : std::vector<Case>{
             {"[SPAM] Meeting schedule for next week", "ｆｏｒ　ｎｅｘｔ　ｗｅｅｋ.eml"_sj},
             {"spam alert from the system admin team", "ｈｅ　ｓｙｓｔｅｍ　ａｄｍｉｎ　ｔｅａｍ.eml"_sj},
             {"Quarterly report for the sales department 2009",
              "Ｑｕａｒｔｅｒｌｙ　ｒｅｐｏｒｔ　ｆｏｒ　ｔｈｅ　ｓａｌｅｓ　ｄｅｐａｒｔｍｅｎ.eml"_sj},
             {"Re: a/b:c*d?", "Ｒｅ：　ａ／ｂ：ｃ＊ｄ？.eml"_sj},
             {"", ".eml"},
             {"<未>hello"_sj, "＜未＞ｈｅｌｌｏ.eml"_sj},
             {"ｶﾞｲﾄﾞ \"x\"|~\\"_sj, "ガイド　”ｘ”｜￣￥.eml"_sj},
             // A double-byte character cut at byte 40 leaves its lead byte: a black square.
             {std::string(39, 'a') + "\x82\xA0", repeated("ａ"_sj, 39) + "■.eml"_sj},
         }) {
        EXPECT_EQ(store::default_eml_name(c.subject), c.name) << c.subject;
    }
}

struct SaveTest : ::testing::Test {
    ViewerProgram p;
    SaveFolder out;
    pf::headless::ScriptedDialogs& dialogs() { return p.h.platform.dialogs; }
    void SetUp() override {
        p.h.platform.system.desktop = out.text();
        p.start();
    }
    void choose(const std::optional<std::string>& path) { dialogs().choose_next(path); }
    // Saves the selected receive-list row through the File menu.
    void save_received(int row) {
        store::receive_list().select(row);
        p.h.click("MAINFORM", "HOZON");
    }
    std::string mail(int i) { return p.h.read("JUSINBOX\\" + mail_name(i)); }
};

TEST_F(SaveTest, SavesTheSelectedMailAndRemembersTheFolder) {
    choose(out / "report");
    save_received(1);
    ASSERT_EQ(dialogs().shown().size(), 1u);
    const auto& request = dialogs().shown()[0].file;
    EXPECT_EQ(dialogs().shown()[0].kind, Kind::SaveFile);
    EXPECT_EQ(request.owner, "MAINFORM");
    EXPECT_EQ(request.title, "ファイルの保存"_sj);
    EXPECT_EQ(request.start, out.text() + "/" + "ｍａｉｌ　２.eml"_sj);
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].pattern, "*.eml");
    EXPECT_EQ(disk_read(out / "report.eml"), mail(2));
    EXPECT_EQ(p.h.read("SYSTEM_F\\BASYO_HO"), out.text() + "/\r\n");
    EXPECT_EQ(globals().VIEW_MODE, 1);
    EXPECT_EQ(globals().MAIL_FILE_NAME, mail_name(2));
    EXPECT_TRUE(p.h.boxes().shown().empty());
    // The next dialog starts in the folder just used.
    choose(std::nullopt);
    save_received(0);
    EXPECT_EQ(dialogs().shown()[1].file.start, out.text() + "/" + "＜未＞ｍａｉｌ　１.eml"_sj);
}

TEST_F(SaveTest, TheDialogComesBackUntilTheNameIsAcceptable) {
    std::ofstream(out / "kept.eml") << "old";
    choose(out / "report.final.eml");
    choose(out / ".eml");
    dialogs().choose_not_cp932_next("/tmp/\xF0\x9F\x98\x80.eml");
    choose(out / "kept");  // ".eml" is added onto an existing file: asked, and refused
    choose(out / "kept");  // asked again, and replaced
    p.h.boxes().answer_next(pf::MsgAnswer::Ok);
    p.h.boxes().answer_next(pf::MsgAnswer::Ok);
    p.h.boxes().answer_next(pf::MsgAnswer::Ok);
    p.h.boxes().answer_next(pf::MsgAnswer::No);
    p.h.boxes().answer_next(pf::MsgAnswer::Yes);
    save_received(0);
    EXPECT_EQ(p.titles(), (Strings{"BAD FILE NAME", "NOT FILE NAME", "BAD FILE NAME", "ファイルの保存"_sj, "ファイルの保存"_sj}));
    ASSERT_EQ(dialogs().shown().size(), 5u);
    for (const auto& shown : dialogs().shown()) EXPECT_EQ(shown.file.start, dialogs().shown()[0].file.start);
    EXPECT_EQ(disk_read(out / "kept.eml"), mail(1));
    EXPECT_FALSE(disk_exists(out / "report.final.eml.eml") || disk_exists(out / ".eml"));
}

// The chosen path is the file written, and the question about ".eml" added asks about that file:
// a file whose name differs only in case is neither replaced nor asked about.
TEST_F(SaveTest, ACaseVariantOfTheChosenNameIsLeftAlone) {
    std::ofstream(out / "REPORT.eml") << "other";
    std::ofstream(out / "NOTES.eml") << "other";
    choose(out / "report.eml");
    save_received(0);
    choose(out / "notes");
    save_received(0);
    EXPECT_TRUE(p.titles().empty());
    EXPECT_EQ(disk_read(out / "report.eml"), mail(1));
    EXPECT_EQ(disk_read(out / "notes.eml"), mail(1));
    EXPECT_EQ(disk_read(out / "REPORT.eml"), "other");
    EXPECT_EQ(disk_read(out / "NOTES.eml"), "other");
}

TEST_F(SaveTest, TheNameTypedAndTheFileWritten) {
    std::filesystem::create_directories(out.path / "my.dir");
    struct Case { std::string typed, written; };
    for (const auto& c : std::vector<Case>{{"a", "a.eml"}, {"b.eml", "b.eml"}, {"c.EML", "c.EML.eml"},
                                           {"my.dir/d", "my.dir/d.eml"}}) {
        choose(out / c.typed);
        save_received(2);
        EXPECT_EQ(disk_read(out / c.written), mail(3)) << c.typed;
    }
    EXPECT_TRUE(p.h.boxes().shown().empty());
    EXPECT_EQ(p.h.read("SYSTEM_F\\BASYO_HO"), out.text() + "/my.dir/\r\n");
}

TEST_F(SaveTest, NothingIsWrittenIntoTheProgramFolderOrOnCancel) {
    auto before = p.h.snapshot();
    choose((p.h.folder / "JUSINBOX" / "copy").string());
    save_received(0);
    EXPECT_EQ(p.titles(), Strings{"BAD FILE PATH !"});
    EXPECT_EQ(p.h.boxes().shown()[0].text, "カレントフォルダ内にファイルを保存することはできません。     "_sj);
    EXPECT_EQ(dialogs().shown().size(), 1u);
    choose(std::nullopt);
    save_received(0);
    EXPECT_EQ(p.h.snapshot(), before);
    EXPECT_EQ(globals().MAIL_FILE_NAME, mail_name(1));
}

TEST_F(SaveTest, AMissingMailOrAFailedCopyIsTold) {
    std::filesystem::create_directories(out.path / "taken.eml");  // a folder where the file would go
    choose(out / "taken");
    save_received(0);
    std::filesystem::remove(p.h.folder / "JUSINBOX" / mail_name(2));
    choose(out / "gone");
    save_received(1);
    EXPECT_EQ(p.titles(), (Strings{"SAVE ERROR !", "NOT EXIST FILE !"}));
    EXPECT_FALSE(p.h.program_ended());
    EXPECT_FALSE(disk_exists(out / "gone.eml"));
}

// A store the user linked elsewhere is still the program's: a save into it, by the program
// folder's path or by the path the link leads to, onto a stored mail or under a new name, is
// refused as a save into the program folder is, and nothing there changes.
TEST(EmlSaveIntoALinkedStore, IsRefused) {
    struct Case { std::string store, chosen; bool by_link_target; };
    for (const Case& c : std::vector<Case>{
             {"JUSINBOX", mail_name(2), false},
             {"JUSINBOX", mail_name(2), true},
             {"JUSINBOX", "new.eml", true},
             {"SOUSINBOX", "new.eml", true},
             {"GOMIBAKO", "JUSIN_FO/new.eml", true},
             {"SYSTEM_F/FORDA_FO/JOB", "SOUSIN_FO/new.eml", true},
             {"TENPFIL", "new.eml", false},
         }) {
        SCOPED_TRACE(c.store + " " + c.chosen + (c.by_link_target ? " by the link target" : ""));
        ViewerProgram p;
        SaveFolder out;
        std::filesystem::path store = p.h.folder / c.store, elsewhere = out.path / "store";
        std::filesystem::create_directories(store);
        std::filesystem::rename(store, elsewhere);
        std::filesystem::create_directory_symlink(elsewhere, store);
        p.h.platform.system.desktop = out.text();
        p.start();
        std::filesystem::create_directories((elsewhere / c.chosen).parent_path());
        auto before = out.snapshot();
        p.h.platform.dialogs.choose_next(((c.by_link_target ? elsewhere : store) / c.chosen).string());
        store::receive_list().select(0);
        p.h.click("MAINFORM", "HOZON");
        EXPECT_EQ(p.titles(), Strings{"BAD FILE PATH !"});
        EXPECT_EQ(out.snapshot(), before);
    }
}

// Every folder of the program's tree is the program's however a path reaches it: by the path a link
// of the tree leads to (a folder of SYSTEM_F, one the program made below it, a link inside a linked
// folder), through a link outside whose ".." lands in the tree, spelt in another case, or through a
// dangling link outside that would create a file in the tree. A save there is refused as a save into
// the program folder is, and nothing changes on either side.
TEST(EmlSaveIntoTheProgramTree, IsRefusedHoweverReached) {
    // `place` becomes a link to `target` ("<prog>" and "<out>" stand for the program folder and the
    // folder outside); a folder of the tree at `place` moves to `target` first, keeping what it holds.
    struct Link { std::string place, target; bool hard = false; };
    struct Case { const char* name; std::vector<Link> links; std::string chosen; };
    const std::vector<Case> cases{
        {"reply attachments", {{"<prog>/SYSTEM_F/TEMPF_HENSIN", "<out>/replies"}}, "<out>/replies/new.eml"},
        {"unsent mail", {{"<prog>/SYSTEM_F/BADSOU", "<out>/unsent"}}, "<out>/unsent/new.eml"},
        {"reply text", {{"<prog>/SYSTEM_F/HENSINYOU", "<out>/text"}}, "<out>/text/new.eml"},
        {"reply logs", {{"<prog>/SYSTEM_F/TODAY_HENSIN", "<out>/logs"}}, "<out>/logs/new.eml"},
        {"settings", {{"<prog>/SYSTEM_F/SETTEI", "<out>/settings"}}, "<out>/settings/new.eml"},
        {"the user folders' folder", {{"<prog>/SYSTEM_F/FORDA_FO", "<out>/folders"}}, "<out>/folders/new.eml"},
        {"a folder the program made for one mail",
         {{"<prog>/SYSTEM_F/BADSOU/20261201_090000_DEL_SOUSIN", "<out>/kept"}}, "<out>/kept/new.eml"},
        {"a link inside a linked folder",
         {{"<prog>/SYSTEM_F", "<out>/system"}, {"<prog>/SYSTEM_F/TEMPF_HENSIN", "<out>/replies"}},
         "<out>/replies/new.eml"},
        {"a file of the tree by its link target", {{"<prog>/SYSTEM_F/MAIL_DATA.txt", "<out>/account.txt"}},
         "<out>/account.txt"},
        {"\"..\" after a link outside", {{"<out>/way", "<prog>/SYSTEM_F/BADSOU"}}, "<out>/way/../TEMPF_HENSIN/new.eml"},
        {"another case", {}, "<prog>/system_f/tempf_hensin/new.eml"},
        {"the program folder in another case", {}, "<PROG>/JUSINBOX/new.eml"},
        {"a dangling link outside", {{"<out>/x.eml", "<prog>/JUSINBOX/20261201_120000.eml"}}, "<out>/x.eml"},
        {"a hard link outside to another stored mail", {{"<out>/x.eml", "<prog>/JUSINBOX/" + mail_name(3), true}},
         "<out>/x.eml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ViewerProgram p;
        SaveFolder out;
        p.h.platform.system.desktop = out.text();
        p.h.write("SYSTEM_F\\MAIL_DATA.txt", "smtp.example.jp\r\n");
        p.start();
        std::string upper = p.h.folder.string();
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        auto disk = [&](std::string path) {
            for (auto [mark, folder] : {std::pair<std::string, std::string>{"<prog>", p.h.folder.string()},
                                        {"<PROG>", upper}, {"<out>", out.path.string()}}) {
                if (path.starts_with(mark)) return folder + path.substr(mark.size());
            }
            return path;
        };
        for (const Link& link : c.links) {
            std::filesystem::path place = disk(link.place), target = disk(link.target);
            if (link.hard) {
                std::filesystem::create_hard_link(target, place);
                continue;
            }
            if (link.place.starts_with("<prog>") && !std::filesystem::exists(place)) std::filesystem::create_directories(place);
            if (std::filesystem::exists(place)) std::filesystem::rename(place, target);
            std::filesystem::create_symlink(target, place);
        }
        auto outside_before = out.snapshot();
        auto program_before = p.h.snapshot();
        p.h.platform.dialogs.choose_next(disk(c.chosen));
        store::receive_list().select(0);
        p.h.click("MAINFORM", "HOZON");
        EXPECT_EQ(p.titles(), Strings{"BAD FILE PATH !"});
        EXPECT_EQ(out.snapshot(), outside_before);
        EXPECT_EQ(p.h.snapshot(), program_before);
    }
}

// What links of the tree lead to decides nothing for a place they do not lead to: with a loop of
// links, a dangling link and a link to a file beside the chosen folder, the save is written there.
TEST(EmlSaveBesideTheProgramTree, IsWritten) {
    ViewerProgram p;
    SaveFolder out;
    p.h.platform.system.desktop = out.text();
    p.start();
    std::filesystem::path kept = out.write("kept/a.txt", "kept");
    std::filesystem::create_directory_symlink(p.h.folder, p.h.folder / "SYSTEM_F" / "loop");
    std::filesystem::create_symlink(out.path / "gone" / "x.txt", p.h.folder / "SYSTEM_F" / "gone.txt");
    std::filesystem::create_symlink(kept, p.h.folder / "TENPFIL" / "a.txt");
    p.h.platform.dialogs.choose_next(out / "kept/saved.eml");
    store::receive_list().select(0);
    p.h.click("MAINFORM", "HOZON");
    EXPECT_TRUE(p.titles().empty());
    EXPECT_EQ(disk_read(out / "kept/saved.eml"), p.h.read("JUSINBOX\\" + mail_name(1)));
}

// The names in a folder (to see that a save left no temporary file beside its target).
std::vector<std::string> names_in(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// A file replaced is written beside it and renamed over it: a save that fails on the way leaves
// the old file whole, and nothing else.
TEST_F(SaveTest, AFailedReplaceLeavesTheOldFileWhole) {
    for (files::FileChange refused : {files::FileChange::Write, files::FileChange::Rename}) {
        std::ofstream(out / "kept.eml") << "old";
        {
            tv::test::FileFaults faults;
            faults.refuse_beginning(refused, ".kept.eml", ENOSPC);  // a full disk
            choose(out / "kept.eml");
            save_received(0);
        }
        EXPECT_EQ(disk_read(out / "kept.eml"), "old");
        EXPECT_EQ(names_in(out.path), Strings{"kept.eml"});
    }
    EXPECT_EQ(p.titles(), (Strings{"SAVE ERROR !", "SAVE ERROR !"}));
    EXPECT_FALSE(p.h.program_ended());
}

// A file replaced through the user's link is replaced where the link leads: the link stays, and
// the file keeps its mode.
TEST_F(SaveTest, AReplaceThroughALinkKeepsTheLink) {
    std::ofstream(out / "real.eml") << "old";
    ::chmod((out / "real.eml").c_str(), 0640);
    std::filesystem::create_symlink(out.path / "real.eml", out.path / "link.eml");
    choose(out / "link.eml");
    save_received(0);
    EXPECT_TRUE(std::filesystem::is_symlink(out.path / "link.eml"));
    EXPECT_EQ(disk_read(out / "real.eml"), mail(1));
    EXPECT_EQ(tv::test::mode_of(out / "real.eml"), 0640u);
    EXPECT_EQ(names_in(out.path), (Strings{"link.eml", "real.eml"}));
    EXPECT_TRUE(p.titles().empty());
}

// Replacing is the desktop's own replace: a file the user may not write is left as it is and the
// save is refused; a file with other names, or whose owner or mode a rename would change, is
// overwritten where it is, so that it keeps its names, its owner and its mode.
TEST_F(SaveTest, AReplaceKeepsWhatTheFileIs) {
    const bool root = ::geteuid() == 0;  // only root can give a file another owner
    struct Case { std::string name; unsigned mode; uid_t uid; gid_t gid; bool refused; };
    std::vector<Case> cases{{"protected", 0444, ::geteuid(), ::getegid(), true}};
    if (root) {
        cases.push_back({"others", 0644, 4321, 4321, true});
        cases.push_back({"shared", 0666, 4321, 4321, false});
        cases.push_back({"group", 0640, 0, 4321, false});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::path file = out.write(c.name + ".eml", "old", c.mode);
        if (root) {
            ASSERT_EQ(::chown(file.c_str(), c.uid, c.gid), 0);
        }
        p.h.boxes().clear();
        choose(file.string());
        save_received(0);
        EXPECT_EQ(disk_read(file), c.refused ? "old" : mail(1));
        EXPECT_EQ(p.titles(), c.refused ? Strings{"SAVE ERROR !"} : Strings{});
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode);
        EXPECT_EQ(st.st_uid, c.uid);
        EXPECT_EQ(st.st_gid, c.gid);
    }
    // A file with a second name: both names show the saved mail.
    std::filesystem::path file = out.write("linked.eml", "old");
    std::filesystem::create_hard_link(file, out.path / "other name.eml");
    p.h.boxes().clear();
    choose(file.string());
    save_received(0);
    EXPECT_EQ(disk_read(out / "other name.eml"), mail(1));
    EXPECT_EQ(std::filesystem::hard_link_count(file), 2u);
    EXPECT_TRUE(p.titles().empty());
}

// A replace where the file is (it has a second name, or a rename would give it another owner) on a
// disk with room for the copy beside it but not for the file grown to the copy's size is refused
// before the first byte of the file changes: every name of it keeps the old file whole.
TEST_F(SaveTest, AReplaceInPlaceOnAFullDiskLeavesTheOldFileWhole) {
    std::string big = mail(1) + std::string(3 << 19, 'x');  // 1.5 MB; the disk fills at 1 MB
    p.h.write("JUSINBOX\\" + mail_name(1), big);
    struct Case { std::string name; bool hard_linked; };
    std::vector<Case> cases{{"linked.eml", true}};
    if (::geteuid() == 0) cases.push_back({"others.eml", false});  // only root can give a file another owner
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::path file = out.write(c.name, "old", 0666);
        if (c.hard_linked) {
            std::filesystem::create_hard_link(file, out.path / ("also " + c.name));
        } else {
            ASSERT_EQ(::chown(file.c_str(), 4321, 4321), 0);
        }
        auto before = names_in(out.path);
        p.h.boxes().clear();
        {
            tv::test::DiskFillsAt full(files::FileChange::Write, c.name, 1 << 20);
            choose(file.string());
            save_received(0);
        }
        EXPECT_EQ(p.titles(), Strings{"SAVE ERROR !"});
        // Compared whole but not printed: a file cut short would fill the screen.
        EXPECT_TRUE(disk_read(file) == "old") << std::filesystem::file_size(file) << " bytes";
        if (c.hard_linked) {
            EXPECT_TRUE(disk_read(out / ("also " + c.name)) == "old");
        }
        EXPECT_EQ(names_in(out.path), before);  // the copy beside is gone: the file is whole
        // With room again, the same save replaces it.
        p.h.boxes().clear();
        choose(file.string());
        save_received(0);
        EXPECT_TRUE(disk_read(file) == big);
        EXPECT_TRUE(p.titles().empty());
    }
}

// A save killed half-way through writing a new file (here by the file-size limit, whose signal
// ends the process as a kill would) leaves nothing under the chosen name; the part it wrote has a
// name that says what it is, and the next save of that file takes it away.
TEST_F(SaveTest, ASaveKilledHalfWayLeavesNoFileCutShort) {
    std::string big = mail(1) + std::string(3 << 20, 'x');
    p.h.write("JUSINBOX\\" + mail_name(1), big);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        tv::test::FileSizeLimit limit(1 << 20, true);
        choose(out / "big.eml");
        save_received(0);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_FALSE(disk_exists(out / "big.eml"));
    EXPECT_EQ(names_in(out.path), Strings{".big.eml.unfinished-save"});
    choose(out / "big.eml");
    save_received(0);
    EXPECT_EQ(disk_read(out / "big.eml"), big);
    EXPECT_EQ(names_in(out.path), Strings{"big.eml"});
}

// A file that takes the chosen name while the save writes its copy is not replaced: the save is
// told as failed and takes its copy away.
TEST_F(SaveTest, AFileThatAppearsMeanwhileStays) {
    files::watch_file_changes([this](files::FileChange change, const std::filesystem::path& disk) {
        if (change == files::FileChange::Rename && disk.filename() == ".late.eml.unfinished-save") {
            std::ofstream(out / "late.eml") << "written meanwhile";
        }
        return 0;
    });
    choose(out / "late.eml");
    save_received(0);
    files::watch_file_changes({});
    EXPECT_EQ(disk_read(out / "late.eml"), "written meanwhile");
    EXPECT_EQ(names_in(out.path), Strings{"late.eml"});
    EXPECT_EQ(p.titles(), Strings{"SAVE ERROR !"});
}

// Killed before any change of a save (a new file, a file replaced by a rename, a file overwritten
// where it is): under the chosen name is nothing, the old file or the whole mail, never a part;
// after a restart the same save leaves the file whole and nothing beside it.
TEST(EmlSaveKilled, AtEveryChangeTheFileIsWholeAndTheNextSaveCleansUp) {
    struct Case { const char* name; bool existing, hard_linked; };
    for (const Case& c : {Case{"new", false, false}, Case{"replaced", true, false}, Case{"in place", true, true}}) {
        for (int step = 1;; ++step) {
            SCOPED_TRACE(std::string(c.name) + ", killed before change " + std::to_string(step));
            ViewerProgram p;
            SaveFolder out;
            Strings names{"kept.eml"};
            if (c.existing) out.write("kept.eml", "old");
            if (c.hard_linked) {
                std::filesystem::create_hard_link(out.path / "kept.eml", out.path / "also.eml");
                names.insert(names.begin(), "also.eml");
            }
            p.h.platform.system.desktop = out.text();
            p.start();
            std::string whole = p.h.read("JUSINBOX\\" + mail_name(1));
            auto save = [&] {
                p.h.platform.dialogs.choose_next(out / "kept.eml");
                store::receive_list().select(0);
                p.h.click("MAINFORM", "HOZON");
            };
            bool killed = false;
            {
                tv::test::FileFaults faults;
                faults.kill_before(step);
                try {
                    save();
                } catch (const tv::test::Killed&) {
                    killed = true;
                }
            }
            if (!killed) break;  // the save ran to its end: every change has been killed once
            std::string found = disk_read(out / "kept.eml");
            if (c.existing) {
                EXPECT_TRUE(found == "old" || found == whole) << found;
            } else {
                EXPECT_TRUE(found.empty() || found == whole) << found;
            }
            for (const std::string& name : names_in(out.path)) {
                bool known = std::find(names.begin(), names.end(), name) != names.end();
                EXPECT_TRUE(known || name == ".kept.eml.unfinished-save") << name;
            }
            ASSERT_TRUE(p.h.restart());
            p.h.boxes().clear();
            save();
            EXPECT_EQ(disk_read(out / "kept.eml"), whole);
            EXPECT_EQ(names_in(out.path), names);
            EXPECT_TRUE(p.titles().empty());
            ASSERT_LT(step, 20);
        }
    }
}

// A save whose target is the very mail it copies changes nothing and says so: the user reached
// the mail through the target of a store folder linked elsewhere, or through a hard link of it
// (both names of a place of the program's), and confirmed "replace".
TEST(EmlSaveOntoItself, TheMailStaysWholeAndTheUserIsTold) {
    for (bool linked_store : {true, false}) {
        SCOPED_TRACE(linked_store ? "a linked store" : "a hard link");
        ViewerProgram p;
        SaveFolder out;
        std::filesystem::path chosen;
        if (linked_store) {
            std::filesystem::rename(p.h.folder / "JUSINBOX", out.path / "mail");
            std::filesystem::create_directory_symlink(out.path / "mail", p.h.folder / "JUSINBOX");
            chosen = out.path / "mail" / mail_name(2);
        } else {
            chosen = out.path / "alias.eml";
            std::filesystem::create_hard_link(p.h.folder / "JUSINBOX" / mail_name(2), chosen);
        }
        std::string whole = p.h.read("JUSINBOX\\" + mail_name(2));
        ASSERT_FALSE(whole.empty());
        auto beside = names_in(chosen.parent_path());
        p.start();
        p.h.platform.dialogs.choose_next(chosen.string());
        store::receive_list().select(1);
        p.h.click("MAINFORM", "HOZON");
        EXPECT_EQ(p.h.read("JUSINBOX\\" + mail_name(2)), whole);
        EXPECT_EQ(names_in(chosen.parent_path()), beside);
        EXPECT_EQ(p.titles(), Strings{"BAD FILE PATH !"});
        for (const auto& box : p.h.boxes().shown()) {
            EXPECT_EQ(box.text, "カレントフォルダ内にファイルを保存することはできません。     "_sj);
            EXPECT_EQ(box.owner, "MAINFORM");
        }
    }
}

// A saved file is the user's: it gets the mode the user's umask gives, as other programs' saves do,
// while what the program keeps in its folder stays private.
TEST(SavedFileMode, TheUsersUmaskGivesTheModeOfASavedMail) {
    for (auto [umask, mode] : {std::pair{022u, 0644u}, {027u, 0640u}}) {
        SCOPED_TRACE(umask);
        ::umask(umask);
        ViewerProgram p;
        SaveFolder out;
        p.start();
        ::chmod((p.h.folder / "JUSINBOX" / mail_name(1)).c_str(), 0600);  // as received mail is stored
        p.h.platform.dialogs.choose_next(out / "mode");
        store::receive_list().select(0);
        p.h.click("MAINFORM", "HOZON");
        ASSERT_EQ(disk_read(out / "mode.eml"), p.h.read("JUSINBOX\\" + mail_name(1)));
        EXPECT_EQ(tv::test::mode_of(out / "mode.eml"), mode);
        EXPECT_EQ(tv::test::mode_of(p.h.folder / "SYSTEM_F" / "BASYO_HO"), 0600u);
    }
}

TEST_F(SaveTest, WithBothListsSelectedTheSentMailIsSaved) {
    store::receive_list().select(0);
    p.control("MAINFORM", "LIST1").select(1);
    choose(out / "both");
    p.h.click("MAINFORM", "HOZON");
    EXPECT_EQ(disk_read(out / "both.eml"), p.h.read("SOUSINBOX\\" + sent_name(2)));
    EXPECT_EQ(dialogs().shown()[0].file.start, out.text() + "/" + "ｓｅｎｔ　２.eml"_sj);
}

TEST_F(SaveTest, TheViewerSavesTheMailItShows) {
    p.open_received(1);
    // Another action meanwhile named another mail: the viewer's record still names its own.
    globals().VIEW_MODE = 2;
    globals().MAIL_FILE_NAME = sent_name(1);
    choose(out / "shown");
    p.h.click("FORM3", "BUTTON13");
    EXPECT_EQ(disk_read(out / "shown.eml"), mail(2));
    EXPECT_EQ(dialogs().shown()[0].file.owner, "FORM3");
    EXPECT_EQ(dialogs().shown()[0].file.start, out.text() + "/" + "ｍａｉｌ　２.eml"_sj);
    p.close_viewer();

    // A sent mail: its list loses its selection.
    p.open_sent(2);
    choose(out / "sent");
    p.h.click("FORM3", "BUTTON13");
    EXPECT_EQ(disk_read(out / "sent.eml"), p.h.read("SOUSINBOX\\" + sent_name(3)));
    EXPECT_EQ(p.control("MAINFORM", "LIST1").selected(), -1);
    p.close_viewer();

    // A folder mail: copied from the folder the view read.
    p.h.write_lines("SYSTEM_F\\FORDA_FO\\PRIVATE\\SOUSIN_FO\\" + sent_name(9), {"SUBJECT:in folder", "BODY:", "", "x", "FILE:"});
    globals().FOLDER_NO = 2;
    p.open_view(6, sent_name(9));
    choose(out / "folder");
    p.h.click("FORM3", "BUTTON13");
    EXPECT_EQ(disk_read(out / "folder.eml"), p.h.read("SYSTEM_F\\FORDA_FO\\PRIVATE\\SOUSIN_FO\\" + sent_name(9)));
    EXPECT_TRUE(p.h.boxes().shown().empty());
}

TEST_F(SaveTest, TheTrashWindowsButtonsSaveFromTheirOwnList) {
    pf::Form& trash = stand_in_window("FORM8", {"LIST8", "LIST9", "LIST10", "LIST11"});
    std::string row = fit_width("sender", 46) + "  F   " + fit_width("[spam] x] " + std::string(20, 'y') + "trash subject", 54) +
                      "   2026/12/01 10:00:01 ";
    trash.control("LIST10").set_items({row});
    trash.control("LIST8").set_items({" " + mail_name(5) + " "});
    trash.control("LIST11").set_items({"sent row"});
    trash.control("LIST9").set_items({sent_name(5)});
    p.h.write("GOMIBAKO\\JUSIN_FO\\" + mail_name(5), "trash mail");
    // Only the member's own list counts.
    trash.control("LIST11").select(0);
    p.h.run_trapped([] { pf::handlers().run("BUTTON20_ON"); });
    EXPECT_EQ(p.titles(), Strings{"NOT SELECT"});
    EXPECT_EQ(p.h.boxes().shown()[0].text, "受信メールが選択されていません。    "_sj);
    EXPECT_EQ(p.h.boxes().shown()[0].owner, "FORM8");

    trash.control("LIST10").select(0);
    choose(out / "trash");
    p.h.run_trapped([] { pf::handlers().run("BUTTON20_ON"); });
    EXPECT_EQ(disk_read(out / "trash.eml"), "trash mail");
    EXPECT_EQ(globals().VIEW_MODE, 3);
    EXPECT_EQ(globals().MAIL_FILE_NAME, mail_name(5));
    // The first "]" is byte 6: the name starts 17 bytes after it, at byte 24.
    EXPECT_EQ(dialogs().shown()[0].file.start, out.text() + "/" + "ｙｙｙｙｙｙｙｔｒａｓｈ　ｓｕｂｊｅｃｔ.eml"_sj);
    // The sent member: its mail is gone from the trash folder.
    choose(out / "sent");
    p.h.run_trapped([] { pf::handlers().run("BUTTON21_ON"); });
    EXPECT_EQ(globals().VIEW_MODE, 4);
    EXPECT_EQ(p.titles(), (Strings{"NOT SELECT", "NOT EXIST FILE !"}));
}

}  // namespace
}  // namespace tv::viewer::test
