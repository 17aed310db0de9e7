// The answering settings window, its spam words, switches and reply attachments, and the reply-text
// editor, driven as a user drives them.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/answering_settings.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "harness/file_faults.h"
#include "harness/harness.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using pf::MsgAnswer;

struct SettingsWindow : ::testing::Test {
    Harness h;

    // Stored settings: forwarding runs, replying is stopped, every 5 minutes.
    SettingsWindow() {
        SettingsFields f = default_answering_settings();
        f[kForwardStopped] = "0";
        f[kForwardAddress] = "me@phone.example.jp";
        h.write(kSettingsFile, answering_settings_record(f));
        h.start();
    }
    pf::Form& window() { return pf::form("FORM11"); }
    pf::Control& control(const char* form, const char* name) { return pf::form(form).control(name); }
    void open() { h.click("MAINFORM", "TALVENORSETTEI"); }
    // A click on the window's surface, as the view reports it.
    void click_at(int x, int y) {
        pf::input::mouse_down(window(), pf::input::Button::Left, x, y);
        pf::input::click_form(window());
        h.settle();
    }
    void type(const char* form, const char* box, const std::string& text) {
        pf::input::change_text(control(form, box), text);
        h.settle();
    }
    std::string field(SettingsField which) { return trim((*read_answering_settings())[which]); }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        for (const auto& b : h.boxes().shown()) out.push_back(b.title);
        return out;
    }
};

TEST_F(SettingsWindow, EachWayOutKeepsOrDropsTheEdits) {
    enum class Out { Ok, Cancel, Close, EditorBack };
    for (Out out : {Out::Ok, Out::Cancel, Out::Close, Out::EditorBack}) {
        std::string stored = h.read(kSettingsFile);
        open();
        ASSERT_TRUE(window().visible);
        EXPECT_FALSE(pf::form("MAINFORM").visible);
        click_at(70, 630);  // the forward switch: running to stopped
        EXPECT_EQ(globals().FORWARD_STOPPED, "1");
        type("FORM11", "EDIT18", "other@phone.example.jp");
        switch (out) {
            case Out::Ok: h.click("FORM11", "BUTTON37"); break;
            case Out::Cancel: h.click("FORM11", "BUTTON31"); break;
            case Out::Close: pf::input::request_close(window()); h.settle(); break;
            case Out::EditorBack:
                h.click("FORM11", "BUTTON40");
                EXPECT_FALSE(window().enabled);
                EXPECT_TRUE(pf::form("FORM13").topmost);
                h.boxes().answer_next(MsgAnswer::Ok);
                h.click("FORM13", "BUTTON41");
                EXPECT_FALSE(pf::forms().is_loaded("FORM13"));
                break;
        }
        EXPECT_FALSE(pf::forms().is_loaded("FORM11"));
        EXPECT_TRUE(pf::form("MAINFORM").visible);
        EXPECT_TRUE(pf::form("MAINFORM").enabled);
        bool kept_in_memory = out == Out::Ok || out == Out::EditorBack;
        EXPECT_EQ(numeric_value(globals().FORWARD_STOPPED), kept_in_memory ? 1 : 0);
        EXPECT_EQ(globals().FORWARD_SWITCH_CLICKS, kept_in_memory ? 4 : 3);
        if (out == Out::Ok) {
            EXPECT_EQ(field(kForwardStopped), "1");
            EXPECT_EQ(field(kForwardAddress), "other@phone.example.jp");
            EXPECT_EQ(globals().FORWARD_ADDRESS, "other@phone.example.jp");
            // Put the stored settings back for the next way out.
            h.write(kSettingsFile, stored);
        } else {
            EXPECT_EQ(h.read(kSettingsFile), stored);
        }
    }
}

TEST_F(SettingsWindow, SwitchClicksAndIntervalsAsTheRecordStoresThem) {
    struct Case {
        std::vector<std::pair<int, int>> clicks;
        const char* radio;
        std::string interval, forward_stopped, reply_stopped;
    };
    std::vector<Case> cases{
        {{}, "RADIO2", "60", "0", "1"},
        {{{70, 630}}, "RADIO3", "180", "1", "1"},
        {{{95, 660}, {60, 680}}, "RADIO5", "600", "1", "0"},  // the corners are inside
        {{{60, 662}, {96, 700}, {60, 711}}, "RADIO4", "300", "0", "1"},  // between and beside the switches
        {{{50, 615}, {50, 615}}, "RADIO4", "300", "0", "1"},
    };
    for (const auto& c : cases) {
        open();
        for (auto [x, y] : c.clicks) click_at(x, y);
        h.click("FORM11", c.radio);
        h.click("FORM11", "BUTTON37");
        EXPECT_EQ(field(kInterval), c.interval) << c.interval;
        EXPECT_EQ(field(kForwardStopped), c.forward_stopped) << c.interval;
        EXPECT_EQ(field(kReplyStopped), c.reply_stopped) << c.interval;
        // Put the switches back as stored for the next case.
        SettingsFields f = *read_answering_settings();
        f[kForwardStopped] = "0";
        f[kReplyStopped] = "1";
        write_answering_settings(f);
    }
    // The stored record ends in zero bytes and the flags are whole.
    std::string stored = h.read(kSettingsFile);
    EXPECT_EQ(stored.substr(790), std::string(1210, '\0'));
    EXPECT_EQ(stored.substr(210, 10), "0         ");
}

TEST_F(SettingsWindow, EachOptionBoxIsStoredInItsOwnField) {
    struct Option {
        const char* box;
        SettingsField field;
        std::string Globals::*value;
    };
    const Option options[] = {
        {"CHECK1", kForwardSpamFilter, &Globals::FORWARD_SPAM_FILTER},
        {"CHECK2", kReplyOnlySpecific, &Globals::REPLY_ONLY_SPECIFIC},
        {"CHECK3", kForwardOnlySpecific, &Globals::FORWARD_ONLY_SPECIFIC},
        {"CHECK4", kForwardAttachments, &Globals::FORWARD_ATTACHMENTS},
        {"CHECK7", kReplySpamFilter, &Globals::REPLY_SPAM_FILTER},
    };
    const std::string stored = h.read(kSettingsFile);
    for (const auto& ticked : options) {
        open();
        h.click("FORM11", ticked.box);
        h.click("FORM11", "BUTTON37");
        for (const auto& o : options) {
            const std::string expected = &o == &ticked ? "1" : "0";
            EXPECT_EQ(field(o.field), expected) << ticked.box << " " << o.box;
            EXPECT_EQ(globals().*o.value, expected) << ticked.box << " " << o.box;
        }
        open();
        for (const auto& o : options) {
            EXPECT_EQ(control("FORM11", o.box).checked, &o == &ticked) << ticked.box << " " << o.box;
        }
        h.click("FORM11", "BUTTON31");
        h.write(kSettingsFile, stored);
    }
}

TEST_F(SettingsWindow, AnIntervalItCannotShowIsStoredBlank) {
    SettingsFields f = *read_answering_settings();
    f[kInterval] = "120";
    write_answering_settings(f);
    open();
    for (const char* r : {"RADIO2", "RADIO3", "RADIO4", "RADIO5"}) EXPECT_FALSE(control("FORM11", r).checked) << r;
    h.click("FORM11", "BUTTON37");
    EXPECT_EQ((*read_answering_settings())[kInterval], std::string(10, ' '));
}

TEST_F(SettingsWindow, TheStoredReplyTextIsChosenByNameWhileItIsListed) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) h.write(std::string("SYSTEM_F\\HENSINYOU\\") + name, name);
    SettingsFields f = *read_answering_settings();
    f[kReplyTextIndex] = "0";
    f[kReplyTextFile] = "b.txt";
    write_answering_settings(f);
    open();
    EXPECT_EQ(control("FORM11", "COMBO1").selected(), 1);
    EXPECT_EQ(control("FORM11", "EDIT21").text, "b.txt");
    h.click("FORM11", "BUTTON31");

    // Gone: the stored position decides; beyond the list, the first.
    files::remove_file("SYSTEM_F\\HENSINYOU\\b.txt");
    f[kReplyTextIndex] = "1";
    write_answering_settings(f);
    open();
    EXPECT_EQ(control("FORM11", "COMBO1").selected(), 1);
    EXPECT_EQ(control("FORM11", "EDIT21").text, "c.txt");
    pf::input::click_row(control("FORM11", "COMBO1"), 0);
    h.settle();
    EXPECT_EQ(control("FORM11", "EDIT21").text, "a.txt");
    h.click("FORM11", "BUTTON37");
    EXPECT_EQ(field(kReplyTextIndex), "0");
    EXPECT_EQ(field(kReplyTextFile), "a.txt");
    EXPECT_EQ(globals().REPLY_TEXT_FILE, "a.txt");
}

TEST_F(SettingsWindow, SpamWordsAreAddedAsTypedAndDeletedBySelection) {
    h.write_lines(kSpamWordFile, {"casino", "", "  "});
    open();
    pf::Control& list = control("FORM11", "LIST17");
    EXPECT_EQ(list.items(), std::vector<std::string>{"casino"});
    h.platform.dialogs.type_next(" 出会い "_sj);
    h.click("FORM11", "BUTTON38");
    h.platform.dialogs.type_next("   ");
    h.click("FORM11", "BUTTON38");
    h.click("FORM11", "BUTTON38");  // cancelled
    ASSERT_EQ(h.platform.dialogs.shown().size(), 3u);
    EXPECT_EQ(h.platform.dialogs.shown()[0].input.max_bytes, 64u);
    EXPECT_EQ(h.platform.dialogs.shown()[0].input.title, "ｓｐａｍ特定文字追加"_sj);
    EXPECT_EQ(window().input_method, pf::InputMethod::Off);
    EXPECT_EQ(list.items(), (std::vector<std::string>{"casino", " 出会い "_sj}));

    h.click("FORM11", "BUTTON39");
    EXPECT_EQ(titles(), std::vector<std::string>{"spam特定文字削除"_sj});
    pf::input::click_row(list, 0);
    h.settle();
    h.click("FORM11", "BUTTON39");
    pf::input::click_row(list, 0);
    h.settle();
    h.click("FORM11", "BUTTON39");
    h.click("FORM11", "BUTTON39");
    EXPECT_EQ(h.platform.sound.beeps, 1);
    h.platform.dialogs.type_next("casino");
    h.click("FORM11", "BUTTON38");
    h.platform.dialogs.type_next("casino");
    h.click("FORM11", "BUTTON38");
    h.click("FORM11", "BUTTON37");
    EXPECT_EQ(h.read(kSpamWordFile), "casino\r\ncasino\r\n");
}

TEST_F(SettingsWindow, ReplyAttachmentsAreAddedReplacedAndRemovedAtOnce) {
    h.platform.system.desktop = (h.folder / "Desktop").string();
    h.write("Desktop\\map.png", "new map");
    h.write("SYSTEM_F\\TEMPF_HENSIN\\map.png", "old map");
    open();
    std::string chosen = (h.folder / "Desktop" / "map.png").string();
    h.platform.dialogs.choose_next(chosen);
    h.click("FORM11", "BUTTON45");
    ASSERT_EQ(h.platform.dialogs.shown().size(), 1u);
    EXPECT_EQ(h.platform.dialogs.shown()[0].file.start, (h.folder / "Desktop").string());
    EXPECT_EQ(h.read("SYSTEM_F\\TEMPF_HENSIN\\map.png"), "new map");
    EXPECT_EQ(h.read("SYSTEM_F\\BASYO_TUI"), (h.folder / "Desktop").string() + "/\r\n");

    h.write("Desktop\\plan.pdf", "plan");
    h.platform.dialogs.choose_next((h.folder / "Desktop" / "plan.pdf").string());
    h.click("FORM11", "BUTTON45");
    EXPECT_EQ(h.platform.dialogs.shown()[1].file.start, (h.folder / "Desktop").string() + "/");
    h.platform.dialogs.choose_next(std::nullopt);
    h.click("FORM11", "BUTTON45");
    h.platform.dialogs.choose_not_cp932_next((h.folder / "Desktop" / "😀.png").string());
    h.click("FORM11", "BUTTON45");
    EXPECT_EQ(titles(), std::vector<std::string>{"BAD FILE ! "});
    pf::Control& list = control("FORM11", "LIST20");
    EXPECT_EQ(list.items(), (std::vector<std::string>{"map.png", "plan.pdf"}));

    h.boxes().clear();
    h.click("FORM11", "BUTTON46");
    pf::input::click_row(list, 0);
    h.settle();
    h.boxes().answer_next(MsgAnswer::No);
    h.click("FORM11", "BUTTON46");
    pf::input::click_row(list, 0);
    h.settle();
    h.boxes().answer_next(MsgAnswer::Yes);
    h.click("FORM11", "BUTTON46");
    EXPECT_EQ(titles(), (std::vector<std::string>{"削除"_sj, "削除"_sj, "削除"_sj}));
    EXPECT_EQ(h.boxes().shown()[1].text.substr(0, 11), "map.png\r\n\r\n");
    EXPECT_EQ(list.items(), std::vector<std::string>{"plan.pdf"});
    // Cancel does not bring the attachment back.
    h.click("FORM11", "BUTTON31");
    EXPECT_FALSE(h.exists("SYSTEM_F\\TEMPF_HENSIN\\map.png"));
}

// A reply attachment that does not fit on the disk leaves no part of itself that the answering
// mode would send: an attachment of that name stays as it was, a new one is not there.
TEST_F(SettingsWindow, AReplyAttachmentThatDoesNotFitLeavesNoPartOfIt) {
    h.platform.system.desktop = (h.folder / "Desktop").string();
    const std::string big(2 << 20, 'm');
    for (const char* name : {"map.png", "plan.pdf"}) h.write(std::string("Desktop\\") + name, big);
    h.write("SYSTEM_F\\TEMPF_HENSIN\\map.png", "old map");
    open();
    {
        FileSizeLimit full_disk(1 << 20);
        for (const char* name : {"map.png", "plan.pdf"}) {
            h.platform.dialogs.choose_next((h.folder / "Desktop" / name).string());
            h.click("FORM11", "BUTTON45");
        }
    }
    EXPECT_EQ(titles(), (std::vector<std::string>{"BAD FILE ! ", "BAD FILE ! "}));
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(h.folder / "SYSTEM_F" / "TEMPF_HENSIN")) {
        left.push_back(e.path().filename());
    }
    EXPECT_EQ(left, std::vector<std::string>{"map.png"});
    std::string map = h.read("SYSTEM_F\\TEMPF_HENSIN\\map.png");
    EXPECT_TRUE(map == "old map") << map.size() << " bytes";
    EXPECT_EQ(control("FORM11", "LIST20").items(), std::vector<std::string>{"map.png"});
}

struct ReplyTextEditor : SettingsWindow {
    void open_editor() {
        open();
        h.click("FORM11", "BUTTON40");
    }
    // Types the text and the name, then saves, answering Yes.
    void save(const std::string& text, const std::string& name) {
        type("FORM13", "EDIT20", text);
        type("FORM13", "EDIT19", name);
        h.boxes().answer_next(MsgAnswer::Yes);
        h.click("FORM13", "BUTTON42");
    }
};

TEST_F(ReplyTextEditor, NamesAsTheRulesGiveThem) {
    struct Case { std::string typed; std::string file; std::vector<std::string> titles; };
    std::string sixty(60, 'x');
    std::string forty_five;
    for (int i = 0; i < 45; ++i) forty_five += "ｘ"_sj;
    std::vector<Case> cases{
        {"abc", "ａｂｃ.txt"_sj, {"登録"_sj, "登録"_sj}},
        {" a b ", "ａ　ｂ.txt"_sj, {"登録"_sj, "登録"_sj}},
        {sixty, forty_five + ".txt", {"登録"_sj, "登録"_sj}},
        {"memo.Txt", "ｍｅｍｏ．Ｔｘｔ.txt"_sj, {"登録"_sj, "登録"_sj}},
        // A voiced mark joins every kana that takes one; DEL and 0xA0 are no characters of a name.
        {"\xB3\xDE\xB6\xDE", "ヴガ.txt"_sj, {"登録"_sj, "登録"_sj}},
        {"a\x7F" "b\xA0" "c", "ａ■ｂ■ｃ.txt"_sj, {"登録"_sj, "登録"_sj}},
        {"memo.txt", "", {"登録"_sj, "BAD FAILE NAME"}},
        {"a.TXT.b", "", {"登録"_sj, "BAD FAILE NAME"}},
        {"\x81\x40 ", "", {"CAN NOT RECORD"}},
    };
    open_editor();
    for (const auto& c : cases) {
        h.boxes().clear();
        save("text", c.typed);
        EXPECT_EQ(titles(), c.titles) << c.typed;
        if (!c.file.empty()) {
            EXPECT_EQ(h.read("SYSTEM_F\\HENSINYOU\\" + c.file), "text\r\n") << c.typed;
        }
    }
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\HENSINYOU").size(), 6u);
}

TEST_F(ReplyTextEditor, KeepsTheBlanksInsideLinesAndFollowsTheFirstLine) {
    open_editor();
    std::string text = "\x81\x40 Dear  customer, \r\n\r\n  the\x81\x40office is closed. \x81\x40\r\n";
    type("FORM13", "EDIT20", text);
    EXPECT_EQ(control("FORM13", "EDIT19").text, "Ｄｅａｒ　　ｃｕｓｔｏｍｅｒ，"_sj);
    h.boxes().answer_next(MsgAnswer::Yes);
    h.click("FORM13", "BUTTON42");
    EXPECT_EQ(h.read("SYSTEM_F\\HENSINYOU\\Ｄｅａｒ　　ｃｕｓｔｏｍｅｒ，.txt"_sj),
              "Dear  customer,\r\n\r\nthe\x81\x40office is closed.\r\n\r\n");
    // An empty text is one empty line.
    save("", "empty");
    EXPECT_EQ(h.read("SYSTEM_F\\HENSINYOU\\ｅｍｐｔｙ.txt"_sj), "\r\n");
    // A long first line is kept whole.
    std::string long_line(12000, 'a');
    save(long_line, "long");
    EXPECT_EQ(h.read("SYSTEM_F\\HENSINYOU\\ｌｏｎｇ.txt"_sj), long_line + "\r\n");
}

// A line longer than the text files' line bound is read whole, so saving the text again keeps it.
TEST_F(ReplyTextEditor, ALongLineSurvivesSaveAndReload) {
    std::string line = "\x82\xa0" + std::string(39998, 'a');  // 40,000 bytes
    h.write_lines("SYSTEM_F\\HENSINYOU\\ａ.txt"_sj, {line, "end"});
    open_editor();
    EXPECT_EQ(control("FORM13", "EDIT20").text, line + "\r\nend");
    h.boxes().answer_next(MsgAnswer::Yes);
    h.click("FORM13", "BUTTON42");
    EXPECT_EQ(h.read("SYSTEM_F\\HENSINYOU\\ａ.txt"_sj), line + "\r\nend\r\n");
    EXPECT_EQ(control("FORM13", "EDIT20").text, line + "\r\nend");
    // The settings window's preview shows it whole too.
    h.boxes().answer_next(MsgAnswer::Ok);
    h.click("FORM13", "BUTTON41");
    open();
    pf::input::click_row(control("FORM11", "COMBO1"), 0);
    h.settle();
    EXPECT_EQ(control("FORM11", "EDIT21").text, line + "\r\nend");
}

TEST_F(ReplyTextEditor, ChoosesNewDeletesAndCannotBeClosedFromItsTitleBar) {
    h.write_lines("SYSTEM_F\\HENSINYOU\\a.txt", {"  first ", "second"});
    h.write_lines("SYSTEM_F\\HENSINYOU\\b.dat", {"bee"});
    open_editor();
    EXPECT_EQ(control("FORM13", "EDIT19").text, "a");
    EXPECT_EQ(control("FORM13", "EDIT20").text, "first\r\nsecond");
    pf::input::click_row(control("FORM13", "COMBO2"), 1);
    h.settle();
    EXPECT_EQ(control("FORM13", "EDIT19").text, "b");
    EXPECT_EQ(control("FORM13", "EDIT20").text, "bee");

    EXPECT_FALSE(pf::input::request_close(pf::form("FORM13")));
    EXPECT_TRUE(pf::forms().is_loaded("FORM13"));

    h.click("FORM13", "BUTTON44");
    EXPECT_EQ(control("FORM13", "EDIT20").text, "");
    h.click("FORM13", "BUTTON43");
    EXPECT_EQ(titles(), std::vector<std::string>{"削除"_sj});
    pf::input::click_row(control("FORM13", "COMBO2"), 1);
    h.settle();
    h.boxes().answer_next(MsgAnswer::Yes);
    h.click("FORM13", "BUTTON43");
    EXPECT_FALSE(h.exists("SYSTEM_F\\HENSINYOU\\b.dat"));
    EXPECT_EQ(control("FORM13", "COMBO2").items(), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(h.boxes().shown().back().text.substr(0, 20), "削除されました。    "_sj);
    // The last one goes without a message.
    h.boxes().clear();
    h.boxes().answer_next(MsgAnswer::Yes);
    h.click("FORM13", "BUTTON43");
    EXPECT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_TRUE(control("FORM13", "COMBO2").items().empty());
}

TEST_F(ReplyTextEditor, AReplyTextThatCannotBeSavedIsToldAndTheProgramGoesOn) {
    h.make_folder("SYSTEM_F\\HENSINYOU\\ａｂｃ.txt"_sj);  // a folder stands where the file goes
    open_editor();
    save("text", "abc");
    EXPECT_EQ(titles(), (std::vector<std::string>{"登録"_sj, "FILE ERROR !"}));
    EXPECT_EQ(h.boxes().shown().back().text, "ファイルを処理できませんでした。   "_sj);
    EXPECT_FALSE(h.program_ended());
    EXPECT_TRUE(pf::form("FORM13").enabled);
}

}  // namespace
}  // namespace tv::test
