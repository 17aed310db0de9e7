// The destination picker: the address book as rows, the search, the remembered search mode and the
// entry handed to the compose window.
#include <gtest/gtest.h>

#include "common/sjis.h"
#include "compose_fixture.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using Lines = std::vector<std::string>;

struct PickerTest : ::testing::Test, ComposeFixture {
    PickerTest() {
        h.write_lines("SYSTEM_F\\ADDRESS.txt", {"\" \",\" \"", "\"Yamada Hanako\",\"hanako@example.jp\"",
                                                "\"Hanako\",\"hana@example.jp\"", "\"  \",\"  \"",
                                                "\"Sato, Jiro: sales\",\"JIRO@example.jp\"",
                                                "\"abc\",\"abc@example.jp\""});
        EXPECT_TRUE(start());
        open_compose();
    }
    static pf::Form& picker() { return pf::form("FORM10"); }
    static pf::Control& list() { return picker().control("LIST13"); }
    void open_picker() {
        h.click("FORM9", "BUTTON26");
        h.boxes().clear();
    }
    // Enter after a key in the search box.
    void search(const std::string& key) { type("FORM10", "EDIT33", key + "\r\n"); }
    std::string selected_name() { return list().selected() < 0 ? "-" : trim(list().item(list().selected()).substr(0, 40)); }
    void choose(int row) {
        pf::input::double_click_row(list(), row);
        h.settle();
        tick();
    }
};

TEST_F(PickerTest, ListsTheBookSortedAndHandsOverTheChosenEntry) {
    open_picker();
    ASSERT_TRUE(pf::forms().is_loaded("FORM10"));
    EXPECT_EQ(pf::forms().child_slot(), "FORM10");
    EXPECT_TRUE(picker().visible);
    EXPECT_EQ(picker().caption, "宛  先"_sj);
    EXPECT_EQ(picker().width, 714);
    EXPECT_FALSE(compose().enabled);
    EXPECT_TRUE(main().minimized);
    EXPECT_TRUE(picker().control("RADIO19").checked);
    // The missing mode file is left behind empty, as the address book's is.
    EXPECT_TRUE(h.exists("SYSTEM_F\\ATE_KENSAKU"));
    EXPECT_EQ(h.read("SYSTEM_F\\ATE_KENSAKU"), "");
    Lines names;
    for (const auto& row : list().items()) names.push_back(trim(row.substr(0, 40)));
    EXPECT_EQ(names, (Lines{"abc", "Hanako", "Sato, Jiro: sales", "Yamada Hanako"}));
    EXPECT_EQ(list().item(1).substr(40, 18), "  hana@example.jp ");

    // "Hanako" is contained in the earlier entry "Yamada Hanako": its own entry is handed over.
    choose(1);
    EXPECT_FALSE(pf::forms().is_loaded("FORM10"));
    EXPECT_TRUE(compose().enabled);
    EXPECT_EQ(box("EDIT12").text, "Hanako<hana@example.jp>");
    EXPECT_EQ(compose().focused, "EDIT14");

    // The name reaches the To box whole, a comma turned into a full stop as in a reply, so that it
    // never reads as a list of recipients; with its colon it would read as a group, so it is quoted.
    open_picker();
    choose(2);
    EXPECT_EQ(box("EDIT12").text, "\"Sato. Jiro: sales\"<JIRO@example.jp>");
}

TEST_F(PickerTest, SearchModesAndWrapping) {
    open_picker();
    struct Step {
        const char* name;
        const char* radio;  // nullptr: keep the mode
        std::string key;
        std::string selected;  // "-": none, after "NOT EXIST !"
        bool not_found;
    };
    const Step steps[] = {
        {"case counts in mode 0", nullptr, "jiro", "-", true},
        {"from the top after a miss", nullptr, "Hanako", "Hanako", false},
        {"on from the selected row", nullptr, "Hanako", "Yamada Hanako", false},
        {"after the last row, from the top", nullptr, "Hanako", "Hanako", false},
        {"mode 1 ignores case", "RADIO20", "jiro", "Sato, Jiro: sales", false},
        {"nothing below the selected row", "RADIO20", "ABC@", "-", true},
        {"an address part, from the top", nullptr, "ABC@", "abc", false},
        {"blanks find the next row", nullptr, "   ", "Hanako", false},
    };
    for (const auto& s : steps) {
        if (s.radio) h.click("FORM10", s.radio);
        h.boxes().clear();
        search(s.key);
        EXPECT_EQ(selected_name(), s.selected) << s.name;
        EXPECT_EQ(titles(), s.not_found ? Lines{"NOT EXIST !"} : Lines{}) << s.name;
        EXPECT_EQ(picker().control("EDIT33").text, trim(s.key)) << s.name;
    }
    EXPECT_EQ(h.read("SYSTEM_F\\ATE_KENSAKU").substr(0, 20), "1" + std::string(19, ' '));
    EXPECT_EQ(picker().input_method, pf::InputMethod::Off);
    // Enter alone searches nothing.
    h.boxes().clear();
    type("FORM10", "EDIT33", "\r\n");
    EXPECT_TRUE(h.boxes().shown().empty());

    // The mode is remembered for the next opening.
    EXPECT_TRUE(close("FORM10"));
    EXPECT_TRUE(compose().enabled);
    EXPECT_EQ(box("EDIT12").text, "");
    open_picker();
    EXPECT_TRUE(picker().control("RADIO20").checked);
    EXPECT_FALSE(picker().control("RADIO19").checked);
}

TEST_F(PickerTest, RefusedForAnUnsentMailAndWhileAnotherWindowHoldsTheSlot) {
    pf::forms().take_child_slot("FORM4");
    h.click("FORM9", "BUTTON26");
    EXPECT_EQ(titles(), Lines{"NOT OPEN !"});
    EXPECT_FALSE(pf::forms().is_loaded("FORM10"));
    EXPECT_TRUE(compose().enabled);
    pf::forms().free_child_slot("FORM4");

    h.boxes().clear();
    globals().UNSENT_MODE = 1;
    main().set_window_state(pf::WindowState::Normal);
    h.click("FORM9", "BUTTON26");
    EXPECT_EQ(titles(), Lines{"CAN NOT CHANGE !"});
    EXPECT_EQ(h.boxes().shown()[0].text, "未送信メールのため変更できません。    "_sj);
    EXPECT_FALSE(pf::forms().is_loaded("FORM10"));
    EXPECT_TRUE(main().minimized);
}

TEST_F(PickerTest, ClosingLeavesTheClipboardAlone) {
    h.platform.clipboard.content = "copied";
    open_picker();
    EXPECT_TRUE(close("FORM10"));
    EXPECT_EQ(h.platform.clipboard.clears, 0);
    EXPECT_EQ(h.platform.clipboard.content, "copied");
    EXPECT_TRUE(compose().enabled);
    EXPECT_EQ(globals().ATESAKI_PENDING, 0);
}

}  // namespace
}  // namespace tv::test
