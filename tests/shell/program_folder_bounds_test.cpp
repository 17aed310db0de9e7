// Start-up changes nothing outside the program folder: a change written down that names paths
// elsewhere is not followed, and a store folder or account file linked elsewhere keeps its mode.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/account_file.h"
#include "harness/harness.h"
#include "harness/outside_folder.h"
#include "platform/forms.h"

namespace tv::shell {
namespace {

namespace stdfs = std::filesystem;
using Strings = std::vector<std::string>;

constexpr const char* kChangeFile = "SYSTEM_F\\.store_change";

TEST(WrittenDownChange, StepsThatLeaveTheProgramFolderAreNotFollowed) {
    struct Case {
        const char* name;
        // The record's lines, two a step: "<out>" stands for the outside folder's absolute path,
        // "<up>" for it from the program folder through "..".
        Strings record;
        Strings kept_mail;  // mail that must stay in JUSINBOX
        Strings moved_mail; // mail that must have reached GOMIBAKO\JUSIN_FO
    };
    const std::vector<Case> cases{
        {"an absolute path deleted", {"<out>/victims/v.txt", ""}, {}, {}},
        {"a path through \"..\" deleted", {"..\\<up>\\victims\\v.txt", ""}, {}, {}},
        {"a \"..\" step inside a store path", {"JUSINBOX\\..\\..\\<up>\\victims\\v.txt", ""}, {}, {}},
        {"a mail moved out", {"JUSINBOX\\x.eml", "<out>/x.eml"}, {"x.eml"}, {}},
        {"a file pulled in", {"<out>/victims/pulled.eml", "JUSINBOX\\pulled.eml"}, {}, {}},
        {"one good step beside a bad one",
         {"JUSINBOX\\a.eml", "GOMIBAKO\\JUSIN_FO\\a.eml", "..\\<up>\\victims\\v.txt", ""}, {}, {"a.eml"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::OutsideFolder outside;
        outside.write("victims/v.txt", "victim");
        outside.write("victims/pulled.eml", "DATE: d\r\nFROM: f\r\nTO: t\r\nSUBJECT: pulled\r\n");
        auto before = outside.snapshot();
        test::Harness h;
        h.install_fake_parser();
        for (const char* name : {"x.eml", "a.eml"}) h.add_mail("JUSINBOX", name, "2026/12/01 10:00:00", "s <s@example.jp>", name);
        Strings record;
        for (std::string line : c.record) {
            for (auto [mark, text] : {std::pair<std::string, std::string>{"<out>", outside.path.string()},
                                      {"<up>", outside.path.filename().string()}}) {
                if (auto at = line.find(mark); at != std::string::npos) line.replace(at, mark.size(), text);
            }
            record.push_back(line);
        }
        h.write_lines(kChangeFile, record);
        ASSERT_TRUE(h.start());
        EXPECT_EQ(outside.snapshot(), before);
        EXPECT_FALSE(h.exists(kChangeFile));
        EXPECT_FALSE(h.exists("JUSINBOX\\pulled.eml"));
        for (const auto& name : c.kept_mail) EXPECT_TRUE(h.exists("JUSINBOX\\" + name)) << name;
        for (const auto& name : c.moved_mail) {
            EXPECT_TRUE(h.exists("GOMIBAKO\\JUSIN_FO\\" + name)) << name;
            EXPECT_FALSE(h.exists("JUSINBOX\\" + name)) << name;
        }
        // Every mail of the receive box has its row: nothing blocks the next receive.
        EXPECT_EQ(h.rows("MAINFORM", "LIST3").size(), 2u - c.moved_mail.size());
        EXPECT_TRUE(h.boxes().shown().empty());
    }
}

TEST(LinkedElsewhere, AFolderOrAccountFileKeepsItsTargetsModeAndIsUsed) {
    ::umask(022);
    test::OutsideFolder outside;
    stdfs::path hobby = outside.make_folder("hobby");
    outside.make_folder("hobby/JUSIN_FO");
    stdfs::path account = outside.write("account.txt", "smtp.example.jp\r\nTaro\r\n", 0644);
    test::Harness h;
    h.install_fake_parser();
    h.make_folder("SYSTEM_F\\FORDA_FO");
    stdfs::create_directory_symlink(hobby, h.folder / "SYSTEM_F" / "FORDA_FO" / "HOBBY");
    stdfs::create_symlink(account, h.folder / "SYSTEM_F" / "MAIL_DATA.txt");
    h.add_mail("SYSTEM_F\\FORDA_FO\\HOBBY\\JUSIN_FO", "20261201_100001.eml", "2026/12/01 10:00:01", "s <s@example.jp>",
               "kept");
    ::chmod((hobby / "JUSIN_FO" / "20261201_100001.eml").c_str(), 0644);

    ASSERT_TRUE(h.start());
    EXPECT_EQ(test::mode_of(hobby), 0755u);
    EXPECT_EQ(test::mode_of(hobby / "JUSIN_FO"), 0755u);
    EXPECT_EQ(test::mode_of(account), 0644u);
    EXPECT_TRUE(stdfs::is_symlink(h.folder / "SYSTEM_F" / "FORDA_FO" / "HOBBY"));
    EXPECT_TRUE(stdfs::is_symlink(h.folder / "SYSTEM_F" / "MAIL_DATA.txt"));
    // The folder is used: its mail got its record there and is listed; the account is read.
    EXPECT_TRUE(stdfs::exists(hobby / "JUSIN_FO" / "F_D_F" / "20261201_100001.dxd"));
    h.click("MAINFORM", "HOBBY_F");
    ASSERT_EQ(h.rows("FORM16", "LIST27").size(), 1u);
    EXPECT_NE(h.rows("FORM16", "LIST27")[0].find("kept"), std::string::npos);
    EXPECT_EQ(read_account_file().smtp_server(), "smtp.example.jp");
    // The program's own folders and files are still closed to others.
    EXPECT_EQ(test::mode_of(h.folder / "SYSTEM_F" / "FORDA_FO"), 0700u);
}

}  // namespace
}  // namespace tv::shell
