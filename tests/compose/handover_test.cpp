// The compose window's timer: it takes the handed-over recipient and reply draft, and keeps the
// attachment line; the attachment buttons.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/sjis.h"
#include "compose_fixture.h"
#include "transfer/handover_files.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using Lines = std::vector<std::string>;

struct HandoverTest : ::testing::Test, ComposeFixture {
    HandoverTest() {
        EXPECT_TRUE(start());
        open_compose();
    }
    // A file outside the program folder, removed with the test.
    std::string outside_file(const std::string& name, std::size_t size) {
        std::filesystem::path folder = h.folder.string() + "-outside";
        std::filesystem::create_directories(folder);
        std::string path = (folder / name).string();
        h.write(path, std::string(size, 'x'));
        made.push_back(folder);
        return path;
    }
    std::vector<std::filesystem::path> made;
    ~HandoverTest() override {
        for (const auto& folder : made) std::filesystem::remove_all(folder);
    }
};

TEST_F(HandoverTest, TheRecipientIsTakenWholeOnAnyTick) {
    type("EDIT12", "old@example.jp");
    tick();
    transfer::hand_over_recipient("Yamada, Taro: sales<taro@example.jp>");
    tick();
    EXPECT_EQ(box("EDIT12").text, "Yamada, Taro: sales<taro@example.jp>");
    EXPECT_EQ(compose().focused, "EDIT14");
    EXPECT_EQ(globals().ATESAKI_PENDING, 0);
    // Taken once: typing over it stays.
    type("EDIT12", "new@example.jp");
    tick();
    EXPECT_EQ(box("EDIT12").text, "new@example.jp");
}

TEST_F(HandoverTest, TheDraftIsTakenOnTheFirstTickAfterItWasHandedOver) {
    transfer::hand_over_draft("  Ｒｅ：hello  "_sj, {">line 1   ", ">", ">line 3"});
    tick();
    EXPECT_EQ(box("EDIT14").text, "Ｒｅ：hello"_sj);
    EXPECT_EQ(box("EDIT11").text, "  \r\n  \r\n  \r\n>line 1\r\n>\r\n>line 3\r\n");
    EXPECT_EQ(box("LIST14").items(), (Lines{"  ", "  ", "  ", ">line 1", ">", ">line 3", ""}));
    EXPECT_EQ(compose().focused, "EDIT11");
    EXPECT_EQ(globals().HENSIN_PENDING, 0);

    // A draft raised without its tick count set back is never taken.
    tick();
    EXPECT_EQ(globals().COMPOSE_TICKS, 2);
    h.write_lines("SYSTEM_F\\HENSIN.txt", {"other", " ", ">x"});
    globals().HENSIN_PENDING = 1;
    tick();
    EXPECT_EQ(box("EDIT14").text, "Ｒｅ：hello"_sj);
    EXPECT_EQ(globals().HENSIN_PENDING, 1);
}

TEST_F(HandoverTest, TheAttachmentLineNamesTheFilesAndTheirTotal) {
    struct Case {
        Lines sizes_and_names;  // pairs: name, size ("-": missing)
        std::string line;
    };
    auto attach = [&](const Lines& files) {
        box("LIST12").clear();
        for (std::size_t i = 0; i < files.size(); i += 2) {
            std::string path = files[i + 1] == "-" ? "/nowhere/" + files[i]
                                                    : outside_file(files[i], std::stoul(files[i + 1]));
            box("LIST12").add_item(path);
        }
        tick();
        return box("EDIT13").text;
    };
    EXPECT_EQ(attach({}), "");
    EXPECT_EQ(attach({"a.txt", "999"}), "a.txt (999byte)");
    EXPECT_EQ(attach({"a.txt", "1000", "b.pdf", "499"}), "a.txt,b.pdf (1KB)");
    EXPECT_EQ(attach({"a.txt", "1000", "b.pdf", "500"}), "a.txt,b.pdf (2KB)");
    EXPECT_EQ(attach({"a.txt", "700", "gone.doc", "-"}), "a.txt,gone.doc (700byte)");
    // While the attachment line has the focus the timer waits.
    pf::input::focus(box("EDIT13"));
    h.settle();
    box("LIST12").clear();
    tick();
    EXPECT_EQ(box("EDIT13").text, "a.txt,gone.doc (700byte)");
    pf::input::focus(box("EDIT11"));
    h.settle();
    tick();
    EXPECT_EQ(box("EDIT13").text, "");
}

TEST_F(HandoverTest, AttachingAFile) {
    auto& dialogs = h.platform.dialogs;
    h.platform.system.desktop = "/home/taro/Desktop";
    std::string a = outside_file("a.txt", 10);
    std::string folder = std::filesystem::path(a).parent_path().string();

    dialogs.choose_next(a);
    h.click("FORM9", "BUTTON33");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].file.title, "開く"_sj);
    EXPECT_EQ(dialogs.shown()[0].file.start, "/home/taro/Desktop");
    EXPECT_EQ(box("LIST12").items(), Lines{a});
    EXPECT_EQ(h.read("SYSTEM_F\\BASYO"), folder + "/\r\n");

    // The same file again: the folder is remembered, the file not listed twice.
    h.write("SYSTEM_F\\BASYO", "/elsewhere/\r\n/tmp/\r\n");
    dialogs.choose_next(a);
    h.click("FORM9", "BUTTON33");
    EXPECT_EQ(dialogs.shown()[1].file.start, "/tmp/");
    EXPECT_EQ(box("LIST12").items(), Lines{a});
    EXPECT_EQ(h.read("SYSTEM_F\\BASYO"), folder + "/\r\n");

    struct Refusal {
        const char* name;
        std::function<void()> choose;
        std::string text;
    };
    const Refusal refusals[] = {
        {"inside the program folder", [&] { dialogs.choose_next((h.folder / "TENPFIL" / "x.txt").string()); },
         "カレント・フォルダ内のファイルは添付できません。   "_sj},
        // The character stands in a folder of the path: the message names the path.
        {"a path CP932 cannot hold", [&] { dialogs.choose_not_cp932_next("/home/😀/a.txt"); },
         "このファイルのパスには使えない文字が含まれているため添付できません。   "_sj + "\r\n\r\n/home/?/a.txt"},
    };
    h.write(h.folder.string() + "/TENPFIL/x.txt", "x");
    for (const auto& r : refusals) {
        h.boxes().clear();
        r.choose();
        h.click("FORM9", "BUTTON33");
        ASSERT_EQ(h.boxes().shown().size(), 1u) << r.name;
        EXPECT_EQ(h.boxes().shown()[0].title, "BAD FILE") << r.name;
        EXPECT_EQ(h.boxes().shown()[0].text, r.text) << r.name;
        EXPECT_EQ(box("LIST12").items(), Lines{a}) << r.name;
        EXPECT_EQ(h.read("SYSTEM_F\\BASYO"), folder + "/\r\n") << r.name;
    }
    // Cancelled: nothing changes. Cleared: no attachment left.
    dialogs.choose_next(std::nullopt);
    h.click("FORM9", "BUTTON33");
    EXPECT_EQ(box("LIST12").items(), Lines{a});
    h.click("FORM9", "BUTTON29");
    EXPECT_TRUE(box("LIST12").items().empty());
}

}  // namespace
}  // namespace tv::test
