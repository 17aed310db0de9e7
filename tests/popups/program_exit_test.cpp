// The exit: its questions, and what it leaves on disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/globals.h"
#include "common/paths.h"
#include "harness/harness.h"
#include "platform/forms.h"
#include "platform/input.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using pf::MsgAnswer;
using Strings = std::vector<std::string>;

enum class Way { CloseBox, MenuItem, SessionEnd };

// Runs the exit; true when the program ended.
bool exit_by(test::Harness& h, Way way) {
    if (way == Way::MenuItem) {
        h.click("MAINFORM", "SYUURYOU");
        return h.program_ended();
    }
    auto mode = way == Way::SessionEnd ? pf::input::CloseMode::SessionEnd : pf::input::CloseMode::User;
    return h.run([&] { pf::input::request_close(pf::form("MAINFORM"), mode); });
}

Strings titles(test::Harness& h) {
    Strings out;
    for (const auto& box : h.boxes().shown()) out.push_back(box.title);
    return out;
}

TEST(ProgramExit, QuestionsAndWhatANoLeavesAlone) {
    const std::string compose = "メール作成中"_sj, unsent = "未送信メール"_sj;
    struct Case {
        const char* name;
        bool composing, unsent_mail, disabled;
        std::vector<MsgAnswer> answers;
        Way way;
        Strings asked;
        bool ends;
    };
    std::vector<Case> cases{
        {"nothing to ask", false, false, false, {}, Way::CloseBox, {}, true},
        {"composing: no", true, false, false, {MsgAnswer::No}, Way::CloseBox, {compose}, false},
        {"composing: no, from the menu", true, false, false, {MsgAnswer::No}, Way::MenuItem, {compose}, false},
        {"both: yes then no", true, true, false, {MsgAnswer::Yes, MsgAnswer::No}, Way::MenuItem, {compose, unsent}, false},
        {"both: yes and yes", true, true, false, {MsgAnswer::Yes, MsgAnswer::Yes}, Way::CloseBox, {compose, unsent}, true},
        {"unsent mail: no", false, true, false, {MsgAnswer::No}, Way::CloseBox, {unsent}, false},
        {"window disabled: refused without a word", true, true, true, {}, Way::CloseBox, {}, false},
        {"window disabled, session ending", false, false, true, {}, Way::SessionEnd, {}, true},
    };
    for (const auto& c : cases) {
        test::Harness h;
        ASSERT_TRUE(h.start());
        h.boxes().clear();
        h.write("TENPFIL\\part.pdf", "x");
        if (c.unsent_mail) h.write("SYSTEM_F\\BADSOU\\20261201100000_DEL_SOUSIN.txt", "mail");
        if (c.composing) pf::forms().load("FORM9");
        pf::form("MAINFORM").enabled = !c.disabled;
        pf::form("MAINFORM").control("LIST3").add_item("a row");
        for (MsgAnswer a : c.answers) h.boxes().answer_next(a);
        EXPECT_EQ(exit_by(h, c.way), c.ends) << c.name;
        EXPECT_EQ(titles(h), c.asked) << c.name;
        if (!c.ends) {
            EXPECT_TRUE(pf::forms().is_loaded("MAINFORM")) << c.name;
        }
        // A kept program touched no file.
        EXPECT_EQ(h.exists("TENPFIL\\part.pdf"), !c.ends) << c.name;
        EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), c.ends ? "a row\r\n" : "\r\n") << c.name;
    }
}

struct ExitCleanUp : ::testing::Test {
    test::Harness h;
    void fill() {
        ASSERT_TRUE(h.start());
        for (const char* path : {"GOMIBAKO\\JUSIN_FO\\20261201_100001.eml", "GOMIBAKO\\F_D_F\\20261201_100001.dxd",
                                 "SYSTEM_F\\G_JU.txt", "GOMIBAKO\\SOUSIN_FO\\20261201_200001.txt",
                                 "SYSTEM_F\\DUSEACT\\20261201_100001.eml", "TENPFIL\\a.pdf", "TENPFIL\\b.jpg",
                                 "TENPFIL\\.hidden", "TENPFIL\\sub\\kept.txt"}) {
            h.write(path, "x");
        }
        pf::form("MAINFORM").control("LIST3").add_item("<未>subject"_sj);
    }
    static Strings files_in(const char* folder) { return files::list_folder_files(folder); }
};

TEST_F(ExitCleanUp, OptionOffKeepsTheTrashAndClearsCopiesAndAttachments) {
    fill();
    globals().EMPTY_TRASH_AT_EXIT = "0";
    EXPECT_TRUE(exit_by(h, Way::MenuItem));
    EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), "<未>subject\r\n"_sj);  // marks carried over
    EXPECT_EQ(files_in("GOMIBAKO\\JUSIN_FO").size(), 1u);
    EXPECT_EQ(files_in("GOMIBAKO\\SOUSIN_FO").size(), 1u);
    EXPECT_TRUE(h.exists("SYSTEM_F\\G_JU.txt"));
    EXPECT_TRUE(files_in("SYSTEM_F\\DUSEACT").empty());
    EXPECT_TRUE(files_in("TENPFIL").empty());
    EXPECT_TRUE(h.exists("TENPFIL\\.hidden"));  // hidden files and subfolders remain
    EXPECT_TRUE(h.exists("TENPFIL\\sub\\kept.txt"));
    EXPECT_EQ(pf::form("MAINFORM").pointer, pf::MousePointer::Arrow);
}

// However many attachments are left, the pauses between their deletions end within a second.
TEST_F(ExitCleanUp, ManyAttachmentsHoldTheExitBriefly) {
    fill();
    for (int i = 0; i < 300; ++i) h.write("TENPFIL\\part" + std::to_string(i) + ".bin", "x");
    h.clock().reset_pauses();
    EXPECT_TRUE(exit_by(h, Way::MenuItem));
    EXPECT_TRUE(files_in("TENPFIL").empty());
    EXPECT_LE(h.clock().paused_ms(), 1500);
}

TEST_F(ExitCleanUp, OptionOnEmptiesTheTrash) {
    fill();
    globals().EMPTY_TRASH_AT_EXIT = "1";
    EXPECT_TRUE(exit_by(h, Way::CloseBox));
    for (const char* folder : {"GOMIBAKO\\JUSIN_FO", "GOMIBAKO\\F_D_F", "GOMIBAKO\\SOUSIN_FO"}) {
        EXPECT_TRUE(files_in(folder).empty()) << folder;
    }
    EXPECT_FALSE(h.exists("SYSTEM_F\\G_JU.txt"));
}

TEST_F(ExitCleanUp, OptionOnWithoutReceivedTrashMailKeepsItsCacheAndRecords) {
    fill();
    files::remove_file("GOMIBAKO\\JUSIN_FO\\20261201_100001.eml");
    globals().EMPTY_TRASH_AT_EXIT = "1";
    EXPECT_TRUE(exit_by(h, Way::CloseBox));
    EXPECT_TRUE(h.exists("SYSTEM_F\\G_JU.txt"));
    EXPECT_EQ(files_in("GOMIBAKO\\F_D_F").size(), 1u);
    EXPECT_TRUE(files_in("GOMIBAKO\\SOUSIN_FO").empty());
}

}  // namespace
}  // namespace tv::shell
