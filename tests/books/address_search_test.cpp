#include <gtest/gtest.h>

#include "books_fixture.h"
#include "common/flag_files.h"
#include "common/globals.h"

namespace tv::books {
namespace {

const char* const kModeFile = "SYSTEM_F\\ADO_KENSAKU";

struct AddressSearchTest : BooksTest {
    AddressSearchTest() {
        h.write(kAddressBook, std::string("\" \",\" \"\r\n") + "\"Abe\",\"abe@example.jp\"\r\n" +
                                  "\"Ito\",\"ITO@EXAMPLE.JP\"\r\n" + "\"Ueda\",\"ueda@example.jp\"\r\n");
    }
    void search(const std::string& typed) { type("EDIT32", typed); }
    void expect_not_found() {
        expect_box("NOT EXIST !", "検索できませんでした。　　　　"_sj);
        EXPECT_EQ(list().selected(), -1);
    }
};

TEST_F(AddressSearchTest, ModeFileChoosesRadioAndInputMethod) {
    open("ADDRESS");
    EXPECT_TRUE(box("RADIO17").checked);
    EXPECT_FALSE(box("RADIO18").checked);
    EXPECT_EQ(pf::form("FORM7").input_method, pf::InputMethod::Hiragana);
    EXPECT_EQ(h.read(kModeFile), "");  // left behind, empty
    h.click("FORM7", "RADIO18");
    EXPECT_EQ(h.read(kModeFile), "1" + std::string(19, ' ') + std::string(236, '\0'));
    EXPECT_EQ(pf::form("FORM7").focused, "EDIT32");
    EXPECT_EQ(pf::form("FORM7").input_method, pf::InputMethod::Off);
    h.click("FORM7", "BUTTON7");
    open("ADDRESS");
    EXPECT_FALSE(box("RADIO17").checked);
    EXPECT_TRUE(box("RADIO18").checked);
    EXPECT_EQ(numeric_value(globals().ADDRESS_SEARCH_MODE), 1);
    EXPECT_EQ(pf::form("FORM7").input_method, pf::InputMethod::Off);
}

TEST_F(AddressSearchTest, EnterFindsTheNextRowAsTyped) {
    open("ADDRESS");
    click_row(0);
    search("ueda");  // typing alone searches nothing
    EXPECT_EQ(list().selected(), 0);
    EXPECT_EQ(box("EDIT9").text, "");  // the search box's focus emptied the boxes
    search(" example\r\n");
    EXPECT_EQ(box("EDIT32").text, "example");
    EXPECT_EQ(list().selected(), 2);  // from the row after the selected one; "ITO@EXAMPLE.JP" differs in case
    search("example\r\n");
    EXPECT_EQ(list().selected(), 0);  // the last row selected: from row 1 again
    search("Ito\r\n");
    EXPECT_EQ(list().selected(), 1);
    search("Abe\r\n");  // only above the start row: not found, no wrap
    expect_not_found();
    search("Abe\r\n");
    EXPECT_EQ(list().selected(), 0);
    search("   \r\n");  // blanks only: every row holds the empty key
    EXPECT_EQ(list().selected(), 1);
    search("\r\n");  // an empty box searches nothing
    EXPECT_EQ(list().selected(), 1);
    EXPECT_TRUE(h.boxes().shown().empty());
}

TEST_F(AddressSearchTest, CaseBlindModeUpperCasesBothSides) {
    open("ADDRESS");
    search("ito@example\r\n");
    expect_not_found();
    h.click("FORM7", "RADIO18");
    EXPECT_EQ(box("EDIT32").text, "");
    search("ito@example\r\n");
    EXPECT_EQ(list().selected(), 1);
    EXPECT_EQ(box("EDIT10").text, "");  // a found row is selected, not clicked
}

// A key is found on whole characters: "X" is the second byte of "ス" (83 58), not a letter of it.
TEST_F(AddressSearchTest, AKeyIsNeverFoundInsideADoubleByteCharacter) {
    h.write(kAddressBook, "\" \",\" \"\r\n\""_sj + "株式会社テスト"_sj + "\",\"info@test.co.jp\"\r\n");
    open("ADDRESS");
    for (const char* mode : {"RADIO17", "RADIO18"}) {
        SCOPED_TRACE(mode);
        h.click("FORM7", mode);
        search("X\r\n");
        expect_not_found();
        search("x\r\n");
        expect_not_found();
        search("テスト\r\n"_sj);
        EXPECT_EQ(list().selected(), 0);
        list().select(-1);
    }
}

}  // namespace
}  // namespace tv::books
