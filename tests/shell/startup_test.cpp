#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "common/answering_settings.h"
#include "common/globals.h"
#include "common/paths.h"
#include "harness/harness.h"
#include "harness/outside_folder.h"
#include "platform/forms.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

TEST(Startup, FirstStartOnAnEmptyFolder) {
    test::Harness h;
    ASSERT_TRUE(h.start());
    for (const char* folder : {"ADDRESS", "JUSINBOX", "SOUSINBOX", "TENPFIL", "GOMIBAKO\\JUSIN_FO", "GOMIBAKO\\SOUSIN_FO",
                               "GOMIBAKO\\F_D_F", "SYSTEM_F\\F_D_F", "SYSTEM_F\\FORDA_FO\\ANOTHER\\JUSIN_FO\\F_D_F",
                               "SYSTEM_F\\FORDA_FO\\JOB\\SOUSIN_FO", "SYSTEM_F\\DUSEACT", "SYSTEM_F\\HENSINYOU",
                               "SYSTEM_F\\TEMPF_HENSIN", "SYSTEM_F\\TODAY_HENSIN", "SYSTEM_F\\BADSOU", "SYSTEM_F\\SETTEI"}) {
        EXPECT_TRUE(std::filesystem::is_directory(files::resolve(folder))) << folder;
    }
    // Without a shipped seed the settings take their defaults and no file is made.
    EXPECT_FALSE(h.exists("SYSTEM_F\\SETTEI\\SETTEI_F.txt"));
    EXPECT_EQ(globals().CHECK_INTERVAL, 300);
    EXPECT_EQ(globals().FORWARD_SWITCH_CLICKS, 2);
    pf::Form& main = pf::form("MAINFORM");
    EXPECT_TRUE(main.visible);
    EXPECT_TRUE(main.enabled);
    EXPECT_EQ(main.pointer, pf::MousePointer::Arrow);
    EXPECT_EQ(main.caption, "タルベノールメーラー Ver.2.12"_sj);
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_TRUE(h.rows("MAINFORM", "LIST3").empty());
    EXPECT_TRUE(h.rows("MAINFORM", "LIST1").empty());
    EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), "\r\n");
    EXPECT_EQ(h.read("SYSTEM_F\\VBS_CHECK.txt"), "\r\n");
    EXPECT_EQ(h.read("SYSTEM_F\\CHECK.txt"), "CHECK\r\n");
    EXPECT_TRUE(h.boxes().shown().empty());
    bool hint = false;
    for (const auto& op : main.drawing()) hint |= op.text == "* リストを右クリックによって詳細設定できます。"_sj;
    EXPECT_TRUE(hint);
}

TEST(Startup, WhatItWritesBelowItsFolderOtherUsersCannotRead) {
    ::umask(022);
    test::Harness h;
    h.install_fake_parser();
    h.write("SYSTEM_F\\MAIL_DATA.txt", "smtp.example.jp\r\n");
    std::filesystem::permissions(files::resolve("SYSTEM_F\\MAIL_DATA.txt"), std::filesystem::perms::owner_read |
                                     std::filesystem::perms::owner_write | std::filesystem::perms::group_read |
                                     std::filesystem::perms::others_read);
    h.add_mail("JUSINBOX", "20261201_100001.eml", "2026/12/01 10:00:01", "s <s@example.jp>", "mail 1");
    h.write("SYSTEM_F\\SETTEI_O.txt", answering_settings_record(default_answering_settings()));  // shipped 0644
    ASSERT_TRUE(h.start());
    auto mode = [](const char* path) {
        return std::filesystem::status(files::resolve(path)).permissions() & std::filesystem::perms::all;
    };
    using std::filesystem::perms;
    EXPECT_EQ(mode("SYSTEM_F\\MAIL_DATA.txt"), perms::owner_read | perms::owner_write);  // made private
    // Folders made by the program, and folders an older version left open (JUSINBOX, SYSTEM_F).
    for (const char* folder :
         {"SYSTEM_F\\F_D_F", "GOMIBAKO", "SYSTEM_F\\FORDA_FO\\JOB\\JUSIN_FO", "ADDRESS", "JUSINBOX", "SYSTEM_F"}) {
        EXPECT_EQ(mode(folder), perms::owner_all) << folder;
    }
    for (const char* file : {"SYSTEM_F\\F_D_F\\20261201_100001.dxd", "SYSTEM_F\\F_JU.txt", "SYSTEM_F\\CHECK.txt",
                             "SYSTEM_F\\SETTEI\\SETTEI_F.txt"}) {
        EXPECT_EQ(mode(file), perms::owner_read | perms::owner_write) << file;
    }
}

TEST(Startup, SettingsSeedIsCopiedOnceAndLoaded) {
    test::Harness h;
    SettingsFields seed = default_answering_settings();
    seed[kInterval] = " 180 ";
    seed[kForwardStopped] = "0";
    h.write("SYSTEM_F\\SETTEI_O.txt", answering_settings_record(seed));
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.read("SYSTEM_F\\SETTEI\\SETTEI_F.txt"), h.read("SYSTEM_F\\SETTEI_O.txt"));
    EXPECT_EQ(globals().CHECK_INTERVAL, 180);
    EXPECT_EQ(globals().FORWARD_SWITCH_CLICKS, 3);
    EXPECT_EQ(globals().REPLY_SWITCH_CLICKS, 2);
}

TEST(Startup, TheShippedSeedGivesTheSettingsOfAMissingFile) {
    auto settings_after_start = [](bool with_seed) {
        test::Harness h;
        if (with_seed) h.write("SYSTEM_F\\SETTEI_O.txt", answering_settings_record(default_answering_settings()));
        EXPECT_TRUE(h.start());
        const Globals& g = globals();
        return std::vector<long long>{g.CHECK_INTERVAL, g.FORWARD_SWITCH_CLICKS, g.REPLY_SWITCH_CLICKS,
                                      numeric_value(g.FORWARD_STOPPED), numeric_value(g.REPLY_STOPPED),
                                      numeric_value(g.FORWARD_SPAM_FILTER), numeric_value(g.REPLY_ONLY_SPECIFIC),
                                      numeric_value(g.FORWARD_ONLY_SPECIFIC), numeric_value(g.FORWARD_ATTACHMENTS),
                                      numeric_value(g.REPLY_SPAM_FILTER), static_cast<long long>(g.FORWARD_ADDRESS.size()),
                                      static_cast<long long>(trim(g.REPLY_TEXT_FILE).size())};
    };
    EXPECT_EQ(settings_after_start(true), settings_after_start(false));
}

TEST(Startup, SecondInstanceIsRefusedBeforeAnyFileChanges) {
    test::Harness h;
    h.write("SYSTEM_F\\TALVENOR.txt", "log of the running instance\r\n");
    h.write("SYSTEM_F\\TODAY_HENSIN\\20200101_TODAY_HENSIN.txt", "a@example.jp\r\n");
    h.add_mail("JUSINBOX", "20261201_100000.eml", "2026/12/01 10:00:00", "a <a@example.jp>", "s");
    auto before = h.snapshot();
    h.platform.system.another_instance_runs = true;
    EXPECT_FALSE(h.start());
    EXPECT_EQ(h.snapshot(), before);
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_EQ(h.boxes().shown()[0].title, "PREVINSTANCE !");
    EXPECT_EQ(h.boxes().shown()[0].text, "既に同じアプリケ－ションが起動されています。"_sj);
    EXPECT_EQ(h.platform.system.locks_taken, std::vector<std::filesystem::path>{h.folder});
    EXPECT_EQ(h.scripts().total_starts(), 0);
}

// A lock that cannot be taken (a folder that refuses the lock file) never lets the program run
// unguarded: the start ends through the error trap, before any file changes.
TEST(Startup, AnInstanceLockThatCannotBeTakenEndsTheStart) {
    test::Harness h;
    h.add_mail("JUSINBOX", "20261201_100000.eml", "2026/12/01 10:00:00", "a <a@example.jp>", "s");
    auto before = h.snapshot();
    h.platform.system.instance_lock_fails = true;
    EXPECT_FALSE(h.start());
    EXPECT_EQ(h.snapshot(), before);
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_NE(h.boxes().shown()[0].title.find("ER.No.：75"_sj), std::string::npos) << h.boxes().shown()[0].title;
    EXPECT_EQ(h.scripts().total_starts(), 0);
}

TEST(Startup, MissingMailComponentEndsTheProgram) {
    test::Harness h;
    h.platform.system.component_missing = true;
    EXPECT_FALSE(h.start());
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_EQ(h.boxes().shown()[0].title, "NOT EXIST MAIL COMPONENT !");
    EXPECT_EQ(h.boxes().shown()[0].text,
              "メール送受信コンポーネント（talvenor-mail）が正常にインストールされていません。   "_sj);
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_FALSE(pf::form("MAINFORM").visible);
}

TEST(Startup, ScriptHostThatNeverAnswersEndsTheProgram) {
    test::Harness h;
    EXPECT_FALSE(h.start(false));
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_EQ(h.boxes().shown()[0].title, "NOT ON SCRIPT !");
    EXPECT_EQ(h.scripts().starts("sam000.wsf"), 1);
}

TEST(Startup, OptionFlagFiles) {
    struct Case { const char* name; std::optional<std::string> content; std::string value; bool checked; };
    const std::string pad(19, ' ');
    std::vector<Case> cases{
        {"missing", std::nullopt, "0", false},
        {"empty", "", "0", false},
        {"zero", "0" + pad, "0", false},
        {"one", "1" + pad, "1", true},
        {"two", "2" + pad, "2", false},  // not 0 or 1: the mark stays as defined, the option is on
    };
    for (const auto& c : cases) {
        test::Harness h;
        if (c.content) {
            for (const char* f : {"SYSTEM_F\\GOMI_K", "SYSTEM_F\\GOMI_I", "SYSTEM_F\\SOUND_K"}) h.write(f, *c.content);
        }
        ASSERT_TRUE(h.start()) << c.name;
        EXPECT_EQ(globals().EMPTY_TRASH_AT_EXIT, c.value) << c.name;
        EXPECT_EQ(globals().NO_TRASH_CONFIRM, c.value) << c.name;
        EXPECT_EQ(globals().ARRIVAL_SOUND, c.value) << c.name;
        for (const char* item : {"KARA", "SINAI", "SOUND"}) {
            EXPECT_EQ(pf::form("MAINFORM").control(item).checked, c.checked) << c.name << " " << item;
        }
        EXPECT_EQ(h.exists("SYSTEM_F\\GOMI_K"), c.content.has_value());
    }
    struct ServCase { std::string content; std::string value; bool checked; };
    for (const auto& c : std::vector<ServCase>{{"1\r\n", "1", true}, {"1\r\n0\r\n", "0", false}, {"1\r\n\r\n", "", false},
                                               {"", "", false}}) {
        test::Harness h;
        h.write("SYSTEM_F\\serv_del", c.content);
        ASSERT_TRUE(h.start());
        EXPECT_EQ(globals().KEEP_ON_SERVER, c.value) << testing::PrintToString(c.content);
        EXPECT_EQ(pf::form("MAINFORM").control("serv").checked, c.checked);
    }
}

TEST(Startup, ReplyLogPurgeKeepsOnlyTodaysLogs) {
    test::Harness h;
    h.clock().set_now({2026, 12, 10, 0, 0, 5});
    for (const char* name : {"20261209_TODAY_HENSIN.txt", "20261210_TODAY_HENSIN.txt", "20261211_TODAY_HENSIN.txt",
                             "other.txt", "short"}) {
        h.write(std::string("SYSTEM_F\\TODAY_HENSIN\\") + name, "x\r\n");
    }
    ASSERT_TRUE(h.start());
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\TODAY_HENSIN"),
              std::vector<std::string>{"20261210_TODAY_HENSIN.txt"});
}

// The answering log of a check that a kill stopped holds mail not yet forwarded or answered: the
// next check finishes it.
TEST(Startup, TheAnsweringLogOfAnUnfinishedCheckIsKept) {
    test::Harness h;
    const std::string record = "\"DATE: x\",\"FROM: a@example.jp\",\"SUBJECT: s\",\"Body: b\",\"\",\"\",\"20261210_090001.eml\",\"forwarded\"\r\n";
    h.write("SYSTEM_F\\TALVENOR.txt", record);
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.read("SYSTEM_F\\TALVENOR.txt"), record);
}

// A process that runs until the test ends, whichever way it ends: killed then.
struct RunningProcess {
    pid_t pid = ::fork();
    RunningProcess() {
        if (pid == 0) {
            for (;;) ::pause();
        }
    }
    ~RunningProcess() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    RunningProcess(const RunningProcess&) = delete;
    RunningProcess& operator=(const RunningProcess&) = delete;
};

// Start-up deletes the temporary files of whole-file writes a kill stopped, but not those of a
// process that still runs: a mail component that outlived a killed program writes its ledger.
TEST(Startup, TheSweepLeavesTheTemporaryFilesOfARunningProcess) {
    RunningProcess child;
    const pid_t running = child.pid;
    ASSERT_GT(running, 0);
    pid_t ended = ::fork();
    ASSERT_GE(ended, 0);
    if (ended == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    // The temporary name of the mail component's ledger written by that process.
    auto temporary = [](pid_t process) {
        return "SYSTEM_F\\..pop3_ledger.tmp" + std::to_string(process) + "_0";
    };
    struct Case { std::string path; bool stays; };
    const std::vector<Case> cases{
        {temporary(running), true},
        {"SYSTEM_F\\.F_JU.txt.tmp" + std::to_string(running) + "_7", true},
        {temporary(ended), false},
        {temporary(0), false},  // names no process
        {temporary(::getpid()), false},  // the program's own number at its start: an earlier holder's
        {"JUSINBOX\\.F_JU.txt.tmp99999999999_1", false},
        // Below the top folders too: a forward's attachment copies, a store's records.
        {"SYSTEM_F\\BADSOU\\20261210_090001_DEL_SOUSIN\\.big.bin.tmp" + std::to_string(ended) + "_2", false},
        {"SYSTEM_F\\BADSOU\\20261210_090001_DEL_SOUSIN\\2\\.big.bin.tmp" + std::to_string(ended) + "_3", false},
        {"SYSTEM_F\\BADSOU\\20261210_090001_DEL_SOUSIN\\.big.bin.tmp" + std::to_string(running) + "_4", true},
        {"SYSTEM_F\\FORDA_FO\\JOB\\JUSIN_FO\\F_D_F\\.a.dxd.tmp" + std::to_string(ended) + "_5", false},
        {"SYSTEM_F\\SETTEI\\.SETTEI_F.txt.tmp" + std::to_string(ended) + "_6", false},
    };
    test::Harness h;
    for (const Case& c : cases) h.write(c.path, "writing");
    ASSERT_TRUE(h.start());
    for (const Case& c : cases) EXPECT_EQ(h.exists(c.path), c.stays) << c.path;
}

// The sweep stays in the program folder: a folder of it linked elsewhere, at the top or below, is
// the user's place, and what lies there is left alone.
TEST(Startup, TheSweepFollowsNoLinkOutOfTheProgramFolder) {
    pid_t ended = ::fork();
    ASSERT_GE(ended, 0);
    if (ended == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const std::string leftover = ".big.bin.tmp" + std::to_string(ended) + "_2";
    test::OutsideFolder outside;
    outside.write("attachments/" + leftover, "writing");
    outside.write("attachments/inner/" + leftover, "writing");
    test::Harness h;
    h.make_folder("SYSTEM_F\\BADSOU");
    std::filesystem::create_directory_symlink(outside.path / "attachments", h.folder / "SYSTEM_F" / "BADSOU" / "linked");
    std::filesystem::create_directory_symlink(outside.path / "attachments", h.folder / "TENPFIL");
    auto before = outside.snapshot();
    ASSERT_TRUE(h.start());
    EXPECT_EQ(outside.snapshot(), before);
}

TEST(Startup, AFileInPlaceOfAFolderEndsThroughTheErrorTrap) {
    test::Harness h;
    h.write("TENPFIL", "a file");
    EXPECT_FALSE(h.start());
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_EQ(h.boxes().shown()[0].title, "ERROR !  ( ER.No.：64 ) ･･････ タルベノールメーラー Ver.2.12"_sj);
}

}  // namespace
}  // namespace tv::shell
