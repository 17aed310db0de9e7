#include <gtest/gtest.h>

#include <filesystem>

#include "common/account_file.h"
#include "harness/outside_folder.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "transfer_fixture.h"

namespace tv::transfer {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

struct AccountWindowTest : ::testing::Test {
    test::Harness h;
    AccountWindowTest() {
        h.start();
        h.click("MAINFORM", "KANKYOYU");
    }
    pf::Control& box(const char* name) { return pf::form("FORM4").control(name); }
    void enter(const char* name, const std::string& typed) {
        pf::input::focus(box(name));
        pf::input::change_text(box(name), typed + "\r\n");
        h.settle();
    }
};

TEST_F(AccountWindowTest, OpensWithDefaultsWithoutAFile) {
    ASSERT_TRUE(pf::forms().is_loaded("FORM4"));
    EXPECT_FALSE(pf::form("MAINFORM").enabled);
    EXPECT_EQ(box("EDIT1").text, "");
    EXPECT_EQ(box("EDIT28").text, "25");
    EXPECT_EQ(box("EDIT29").text, "110");
    EXPECT_EQ(box("EDIT30").text, "180");
    EXPECT_TRUE(box("RADIO14").checked);
    EXPECT_EQ(box("EDIT31").text, "TALVENOR MAILER");
    h.click("FORM4", "BUTTON5");  // Cancel writes nothing
    EXPECT_FALSE(h.exists("SYSTEM_F\\MAIL_DATA.txt"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
}

TEST_F(AccountWindowTest, EnterMovesFromBoxToBoxAndOkSaves) {
    struct Step { const char* box; std::string typed; std::string kept; const char* next; };
    std::vector<Step> steps{
        {"EDIT1", "  SMTP.Example.JP ", "smtp.example.jp", "EDIT2"},
        {"EDIT2", "Taro Yamada", "Taro Yamada", "EDIT3"},  // the name keeps its case
        {"EDIT3", "Taro@Example.JP", "taro@example.jp", "EDIT4"},
        {"EDIT4", "POP.example.jp", "pop.example.jp", "EDIT5"},
        {"EDIT5", "TaroY", "TaroY", "EDIT6"},          // so does the user ID
        {"EDIT6", "PassWord", "PassWord", "EDIT28"},   // and the password
        {"EDIT28", "587", "587", "EDIT29"},
        {"EDIT29", "995", "995", "EDIT31"},
        {"EDIT31", "\x81\x40Host\x81\x40", "host", "EDIT1"},
    };
    for (const auto& s : steps) {
        enter(s.box, s.typed);
        EXPECT_EQ(box(s.box).text, s.kept) << s.box;
        EXPECT_EQ(pf::form("FORM4").focused, s.next) << s.box;
    }
    pf::input::focus(box("EDIT31"));
    h.settle();
    EXPECT_EQ(pf::form("FORM4").input_method, pf::InputMethod::Hiragana);  // the host name box opens it
    pf::input::focus(box("EDIT5"));
    h.settle();
    EXPECT_EQ(pf::form("FORM4").input_method, pf::InputMethod::Off);
    h.click("FORM4", "RADIO16");
    EXPECT_EQ(box("EDIT30").text, "300");
    h.click("FORM4", "BUTTON6");
    EXPECT_FALSE(pf::forms().is_loaded("FORM4"));
    EXPECT_EQ(h.read("SYSTEM_F\\MAIL_DATA.txt"),
              test::crlf({"smtp.example.jp", "Taro Yamada", "taro@example.jp", "pop.example.jp", "TaroY", "PassWord",
                          "587", "995", "300", "host"}));
    auto perms = std::filesystem::status(files::resolve("SYSTEM_F\\MAIL_DATA.txt")).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_TRUE(read_account_file().is_set());
}

// A pasted line break or a lone CR would split a value over two lines and shift every later one
// (the POP3 port would read the SMTP port): OK keeps each value on its line without them.
TEST_F(AccountWindowTest, PastedLineBreaksAndControlBytesNeverReachTheFile) {
    const std::vector<std::pair<const char*, std::string>> typed{
        {"EDIT1", "smtp.example.jp"}, {"EDIT2", "Taro"},          {"EDIT3", "taro@example.jp"},
        {"EDIT4", "pop.example.jp"},  {"EDIT5", "ta\nro\t"},     {"EDIT6", "pa\r\nss\rwo\x7Frd"},
        {"EDIT28", "25"},             {"EDIT29", "110"},          {"EDIT31", "host"}};
    for (const auto& [name, text] : typed) {
        pf::input::focus(box(name));
        pf::input::change_text(box(name), text);
        h.settle();
    }
    h.click("FORM4", "BUTTON6");
    EXPECT_EQ(h.read("SYSTEM_F\\MAIL_DATA.txt"),
              test::crlf({"smtp.example.jp", "Taro", "taro@example.jp", "pop.example.jp", "taro", "password", "25", "110",
                          "180", "host"}));
}

TEST_F(AccountWindowTest, ValuesWithCommasAndColonsStayOnTheirLines) {
    h.click("FORM4", "BUTTON5");
    h.write_lines("SYSTEM_F\\MAIL_DATA.txt", {"smtp.example.jp", "Yamada, Taro", "taro@example.jp", "pop.example.jp",
                                              "user:1", "\"pw", "25", "110", "90", "host"});
    h.click("MAINFORM", "KANKYOYU");
    EXPECT_EQ(box("EDIT2").text, "Yamada, Taro");
    EXPECT_EQ(box("EDIT5").text, "user:1");
    EXPECT_EQ(box("EDIT6").text, "\"pw");
    EXPECT_EQ(box("EDIT30").text, "90");
    for (const char* r : {"RADIO12", "RADIO13", "RADIO14", "RADIO15", "RADIO16"}) EXPECT_FALSE(box(r).checked) << r;
}

// An account file the user replaced with a link stays a link: OK writes the file it leads to,
// which keeps its mode, as every other file of the program is written through such a link.
TEST_F(AccountWindowTest, OkWritesThroughTheUsersLink) {
    h.click("FORM4", "BUTTON5");
    tv::test::OutsideFolder outside;
    std::filesystem::path target = outside.write("account.txt", "smtp.example.jp\r\n", 0644);
    std::filesystem::path link = files::resolve("SYSTEM_F\\MAIL_DATA.txt");
    std::filesystem::create_symlink(target, link);
    h.click("MAINFORM", "KANKYOYU");
    EXPECT_EQ(box("EDIT1").text, "smtp.example.jp");
    enter("EDIT2", "Taro");
    h.click("FORM4", "BUTTON6");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    auto lines = files::read_lines(target.string());
    ASSERT_TRUE(lines && lines->size() == 10u);
    EXPECT_EQ((*lines)[0], "smtp.example.jp");
    EXPECT_EQ((*lines)[1], "Taro");
    EXPECT_EQ(tv::test::mode_of(target), 0644u);
    EXPECT_EQ(outside.snapshot().size(), 1u);  // nothing left beside it
}

}  // namespace
}  // namespace tv::transfer
