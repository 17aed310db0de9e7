// The compose window: opening it, the checks of sending and saving, the request it sends, the mail
// it saves, and where closing it returns to.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <memory>

#include "common/exchange_files.h"
#include "common/sjis.h"
#include "compose/compose_window.h"
#include "compose_fixture.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using Lines = std::vector<std::string>;

struct ComposeWindowTest : ::testing::Test, ComposeFixture {
    ComposeWindowTest() { EXPECT_TRUE(start()); }
};

TEST_F(ComposeWindowTest, OpensOneComposeWindowAndStepsAside) {
    main().topmost = true;
    open_compose();
    ASSERT_TRUE(pf::forms().is_loaded("FORM9"));
    EXPECT_TRUE(compose().visible);
    EXPECT_EQ(compose().caption, "メールの作成_タルベノールメーラー Ver."_sj + VERSION_TEXT);
    EXPECT_EQ(globals().COMPOSING, 1);
    EXPECT_TRUE(main().minimized);
    EXPECT_FALSE(main().topmost);
    EXPECT_TRUE(box("BUTTON79").enabled);
    EXPECT_TRUE(h.boxes().shown().empty());

    // A second click (the main window restored meanwhile) only tells the user.
    main().set_window_state(pf::WindowState::Normal);
    h.click("MAINFORM", "BUTTON1");
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_EQ(h.boxes().shown()[0].title, "作成中"_sj);
    EXPECT_EQ(h.boxes().shown()[0].text, "メールの作成中です。     "_sj);
    EXPECT_FALSE(main().minimized);
}

TEST_F(ComposeWindowTest, AMissingMailComponentEndsTheProgramFirst) {
    h.platform.system.component_missing = true;
    open_compose();
    EXPECT_TRUE(h.program_ended());
    EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
}

TEST_F(ComposeWindowTest, EnterInAOneLineBoxMovesOnAndTheBodyKeepsItsLines) {
    open_compose();
    type("EDIT12", "  hanako@example.jp \r\n");
    EXPECT_EQ(box("EDIT12").text, "hanako@example.jp");
    EXPECT_EQ(compose().focused, "EDIT14");
    type("EDIT14", "\r\n");
    EXPECT_EQ(box("EDIT14").text, "");
    EXPECT_EQ(compose().focused, "EDIT11");
    type("EDIT11", " a \r\n b \r\n");
    EXPECT_EQ(box("LIST14").items(), (Lines{" a ", " b ", ""}));
}

// Every refusal leaves the window open with what the user entered and writes nothing.
TEST_F(ComposeWindowTest, SendAndSaveChecks) {
    struct Case {
        const char* name;
        const char* button;
        bool account;
        std::string to, subject;
        std::string title, text;
    };
    const std::string account_text = "アカウント情報が設定されていません。      "_sj;
    const std::string no_to = "宛先が入力されていません。   "_sj;
    const std::string no_subject = "件名が入力されていません。   "_sj;
    auto bad_address = [](const char* reason) { return "この宛先は送信できません。   "_sj + "\r\n\r\n" + sj(reason); };
    const Case cases[] = {
        {"send, no account", "BUTTON27", false, "a@example.jp", "s", program_caption(), account_text},
        {"save, no account", "BUTTON79", false, "a@example.jp", "s", program_caption(), account_text},
        {"send, no recipient", "BUTTON27", true, "", "s", "NOT EXIST ADDRESS!", no_to},
        {"send, blanks only", "BUTTON27", true, " 　 "_sj, "s", "NOT EXIST ADDRESS!", no_to},
        // A recipient that cannot be sent is named below the text, the first one of a list.
        {"send, no @", "BUTTON27", true, "hanako", "s", "BAD ADDRESS!", bad_address("宛先のアドレスが正しくありません hanako")},
        {"send, unreadable mail", "BUTTON27", true, exchange::kUnreadableMail, "s", "BAD ADDRESS!",
         bad_address("宛先が正しくありません can not read mail !")},
        {"send, one bad address in a list", "BUTTON27", true,
         "山田 花子<hanako@example.com>, jiro.example.com, 鈴木<x>"_sj, "s", "BAD ADDRESS!",
         bad_address("宛先のアドレスが正しくありません jiro.example.com")},
        {"send, two recipients without a comma", "BUTTON27", true, "a<a@example.jp> b<b@example.jp>", "s",
         "BAD ADDRESS!", bad_address("宛先が正しくありません a<a@example.jp> b<b@example.jp>")},
        {"send, a group", "BUTTON27", true, "a@example.jp, 営業部: b@example.jp"_sj, "s", "BAD ADDRESS!",
         bad_address("宛先が正しくありません 営業部: b@example.jp")},
        {"send, an unclosed quote", "BUTTON27", true, "\"山田, 花子 <hanako@example.com>, a@example.jp"_sj, "s",
         "BAD ADDRESS!", bad_address("宛先が正しくありません \"山田, 花子 <hanako@example.com>, a@example.jp")},
        {"send, commas only", "BUTTON27", true, ", ,", "s", "BAD ADDRESS!", bad_address("宛先がありません")},
        {"send, no subject", "BUTTON27", true, "a@example.jp", "  ", "NOT EXIST SUBJECT!", no_subject},
        {"save, no recipient", "BUTTON79", true, "", "s", "NOT EXIST ADDRESS", no_to},
        // A stored mail's To box cannot be changed: what cannot be sent is refused while it can.
        {"save, no @", "BUTTON79", true, "hanako", "s", "BAD ADDRESS", bad_address("宛先のアドレスが正しくありません hanako")},
        {"save, one bad address in a list", "BUTTON79", true, "jiro@example.com; 山田 花子<山田@example.jp>"_sj, "s",
         "BAD ADDRESS", bad_address("宛先のアドレスが正しくありません 山田 花子<山田@example.jp>")},
        {"save, no subject", "BUTTON79", true, "a@example.jp", "", "NOT EXIST SUBJECT", no_subject},
    };
    open_compose();
    for (const auto& c : cases) {
        if (c.account) {
            h.write_lines("SYSTEM_F\\MAIL_DATA.txt", account_lines());
        } else {
            files::remove_if_exists("SYSTEM_F\\MAIL_DATA.txt");
        }
        fill(c.to, c.subject, "body");
        h.boxes().clear();
        h.clock().reset_pauses();
        h.run([&] { pf::handlers().run(std::string(c.button) + "_ON"); });
        // A reading of the account file is followed by its pause.
        EXPECT_EQ(h.clock().pauses(), c.account ? std::vector<int>{20} : std::vector<int>{}) << c.name;
        h.settle();
        ASSERT_EQ(h.boxes().shown().size(), 1u) << c.name;
        EXPECT_EQ(h.boxes().shown()[0].title, c.title) << c.name;
        EXPECT_EQ(h.boxes().shown()[0].text, c.text) << c.name;
        EXPECT_EQ(h.boxes().shown()[0].icon, pf::MsgIcon::Information) << c.name;
        EXPECT_TRUE(compose().visible) << c.name;
        EXPECT_EQ(box("EDIT12").text, c.to) << c.name;
        EXPECT_EQ(box("EDIT11").text, "body") << c.name;
        EXPECT_FALSE(h.exists("SYSTEM_F\\DEL_SOUSIN.txt")) << c.name;
        EXPECT_TRUE(unsent_files().empty()) << c.name;
        EXPECT_TRUE(requests.empty()) << c.name;
    }
}

TEST_F(ComposeWindowTest, SendWritesTheRequestAndGivesTheMainWindowBack) {
    open_compose();
    fill(" Hanako <hanako@example.jp> ", " 件名 "_sj, "  first  \r\n  second  \r\nFile: x\r\nMAIL_END");
    box("LIST12").add_item(" /home/taro/a.txt ");
    box("LIST12").add_item("/home/taro/b.pdf");
    h.write_lines("SYSTEM_F\\ATESAKI.txt", {"old@example.jp"});
    h.click("FORM9", "BUTTON27");
    ASSERT_EQ(requests.size(), 1u);
    // Every line keeps its indent, the first one's too, and loses its trailing blanks.
    EXPECT_EQ(requests[0], (Lines{"TO:Hanako <hanako@example.jp>", "FROM:Taro<taro@example.jp>", "SUBJECT:" + "件名"_sj,
                                  "  first", "  second", " File: x", " MAIL_END", "FILE:/home/taro/a.txt",
                                  "FILE:/home/taro/b.pdf", "MAIL_END"}));
    EXPECT_EQ(globals().SEND_TO_TEXT, "Hanako <hanako@example.jp>");
    EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
    EXPECT_EQ(globals().COMPOSING, 0);
    EXPECT_TRUE(main().visible);
    EXPECT_TRUE(main().enabled);
    EXPECT_EQ(h.rows("MAINFORM", "LIST1").size(), 1u);
    EXPECT_EQ(h.read("SYSTEM_F\\ATESAKI.txt"), "\r\n");
    EXPECT_EQ(h.read("SYSTEM_F\\HENSIN.txt"), " \r\n");
    EXPECT_TRUE(unsent_files().empty());
}

TEST_F(ComposeWindowTest, ARecipientWithQuotesShowsFullStopsForItsCommas) {
    open_compose();
    fill("\"Yamada, Hanako\" <hanako@example.jp>", "s", "");
    h.click("FORM9", "BUTTON27");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0][0], "TO:\"Yamada, Hanako\" <hanako@example.jp>");
    EXPECT_EQ(requests[0][3], "");  // an empty body is one empty line
    EXPECT_EQ(requests[0][4], "FILE:");
    EXPECT_EQ(globals().SEND_TO_TEXT, "\"Yamada. Hanako\" <hanako@example.jp>");
}

TEST_F(ComposeWindowTest, ARequestThatCannotBeWrittenKeepsTheMail) {
    open_compose();
    fill("hanako@example.jp", "s", "body");
    h.make_folder("SYSTEM_F\\DEL_SOUSIN.txt");  // a folder in its place: the file cannot be written
    h.click("FORM9", "BUTTON27");
    EXPECT_EQ(titles(), Lines{"FILE ERROR !"});
    EXPECT_TRUE(compose().visible);
    EXPECT_EQ(globals().COMPOSING, 1);
    EXPECT_EQ(box("EDIT11").text, "body");
    EXPECT_TRUE(requests.empty());
    h.boxes().clear();
    h.boxes().answer_next(pf::MsgAnswer::Yes);
    h.click("FORM9", "BUTTON79");
    EXPECT_EQ(titles(), (Lines{"未送信メールとして保存"_sj, "FILE ERROR !"}));
    EXPECT_TRUE(compose().visible);
    EXPECT_TRUE(unsent_files().empty());
}

// The disk fills while the send script runs: files of more than a few bytes cannot be written.
struct FullDisk {
    rlimit before{};
    explicit FullDisk(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &before);
        rlimit full{bytes, before.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk() { ::setrlimit(RLIMIT_FSIZE, &before); }
};

TEST_F(ComposeWindowTest, ASendThatCannotBeKeptKeepsTheMailInItsWindow) {
    open_compose();
    std::string body = "　本文です。"_sj + std::string(300, 'x');
    fill("hanako@example.jp", "s", body);
    std::unique_ptr<FullDisk> full;
    h.scripts().on("sam042.wsf", [&] {
        h.write("SYSTEM_F\\T_OUT_DONE.txt", "ERROR disk full\r\n");
        full = std::make_unique<FullDisk>(64);
    });
    h.click("FORM9", "BUTTON27");
    full.reset();
    EXPECT_FALSE(h.program_ended());
    // No unsent mail that holds nothing; the mail stays where the user can send it again.
    EXPECT_TRUE(unsent_files().empty());
    ASSERT_TRUE(pf::forms().is_loaded("FORM9"));
    EXPECT_TRUE(compose().visible);
    EXPECT_TRUE(compose().enabled);
    EXPECT_EQ(globals().COMPOSING, 1);
    EXPECT_EQ(box("EDIT12").text, "hanako@example.jp");
    EXPECT_EQ(box("EDIT11").text, body);
    EXPECT_TRUE(main().enabled);
    ASSERT_FALSE(h.boxes().shown().empty());
    EXPECT_EQ(h.boxes().shown().back().title, "FILE ERROR !");
    EXPECT_EQ(h.boxes().shown().back().text.rfind("メールを送信できず、未送信メールとしても保存できませんでした。   "_sj, 0), 0u);

    // With room again, the same window sends it.
    h.scripts().on("sam042.wsf", [this] { h.write("SYSTEM_F\\T_OUT_DONE.txt", "DONE\r\n"); });
    h.click("FORM9", "BUTTON27");
    EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
    EXPECT_TRUE(unsent_files().empty());
}

TEST_F(ComposeWindowTest, SaveAsksThenStoresTheMailAsTyped) {
    open_compose();
    std::string long_line(120, 'x');
    std::string body = "  first  \r\n";
    for (int i = 0; i < 90; ++i) body += long_line + "\r\n";  // over 10,000 bytes
    body += "File: x";
    fill("hanako@example.jp", "s", body);
    h.boxes().answer_next(pf::MsgAnswer::No);
    h.click("FORM9", "BUTTON79");
    EXPECT_EQ(titles(), Lines{"未送信メールとして保存"_sj});
    EXPECT_EQ(h.boxes().shown()[0].buttons, pf::MsgButtons::YesNo);
    EXPECT_TRUE(compose().visible);
    EXPECT_TRUE(unsent_files().empty());

    main().set_window_state(pf::WindowState::Minimized);
    h.boxes().answer_next(pf::MsgAnswer::Yes);
    h.click("FORM9", "BUTTON79");
    ASSERT_EQ(unsent_files().size(), 1u);
    EXPECT_EQ(unsent_files()[0].size(), 29u);
    EXPECT_EQ(unsent_files()[0].substr(0, 8), "20261210");
    EXPECT_EQ(unsent_files()[0].substr(14), "_DEL_SOUSIN.txt");
    Lines stored = unsent_file(unsent_files()[0]);
    ASSERT_EQ(stored.size(), 3u + 92u + 2u);
    EXPECT_EQ(stored[0], "TO:hanako@example.jp");
    EXPECT_EQ(stored[3], "  first");
    EXPECT_EQ(stored[93], long_line);
    EXPECT_EQ(stored[94], " File: x");
    EXPECT_EQ(stored[95], "FILE:");
    EXPECT_EQ(stored[96], "MAIL_END");
    EXPECT_FALSE(h.exists("SYSTEM_F\\DEL_SOUSIN.txt"));
    EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
    EXPECT_EQ(globals().COMPOSING, 0);
    EXPECT_TRUE(main().visible);
    EXPECT_TRUE(main().enabled);
    EXPECT_FALSE(main().minimized);
    EXPECT_EQ(main().control("BUTTON72").font_weight, 700);
}

// Where the user's confirmed close returns to, by the first row of the table that applies.
TEST_F(ComposeWindowTest, CloseReturnsWhereTheMailCameFrom) {
    using R = compose::ComposeReturn;
    struct Case {
        const char* name;
        int unsent_mode, from_trash, from_folder;
        bool main_visible, trash_open, folder_open;
        R expected;
        bool main_shown, main_enabled;
        std::string shown;  // the trash or folder window shown at the end
        bool list_open;
    };
    const Case cases[] = {
        {"unsent mail", 1, 1, 0, false, true, false, R::UnsentList, true, false, "", true},
        {"a new mail", 0, 0, 0, false, false, false, R::MainWindow, true, true, "", false},
        {"main window back meanwhile", 0, 1, 0, true, false, true, R::MainClosingOthers, true, true, "", false},
        {"trash, loaded anew", 0, 1, 0, false, false, true, R::Trash, false, true, "FORM8", false},
        {"folder", 0, 0, 1, false, true, true, R::Folder, false, true, "FORM16", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compose::compose_return(c.unsent_mode, c.from_trash, c.from_folder, c.main_visible), c.expected)
            << c.name;
        for (const char* w : {"FORM8", "FORM16", "FORM10"}) pf::forms().unload(w);
        if (c.trash_open) pf::forms().load("FORM8");
        h.settle();
        globals().FOLDER_NO = 1;  // the folder the folder window shows
        if (c.folder_open) pf::forms().load("FORM16");
        h.settle();
        main().show();
        main().set_enabled(true);
        main().set_window_state(pf::WindowState::Normal);
        open_compose();
        Globals& g = globals();
        g.UNSENT_MODE = c.unsent_mode;
        g.REPLY_FROM_TRASH = c.from_trash;
        g.REPLY_FROM_FOLDER = c.from_folder;
        main().set_window_state(pf::WindowState::Normal);
        h.settle();  // the main window's resize handler runs before the state below is set
        if (c.main_visible) {
            main().show();
        } else {
            main().hide();
        }
        main().set_enabled(c.unsent_mode == 0);

        // No keeps everything as it was.
        EXPECT_FALSE(close("FORM9", pf::MsgAnswer::No)) << c.name;
        EXPECT_TRUE(pf::forms().is_loaded("FORM9")) << c.name;
        EXPECT_TRUE(close("FORM9")) << c.name;
        EXPECT_EQ(g.COMPOSING, 0) << c.name;
        EXPECT_EQ(main().visible, c.main_shown) << c.name;
        EXPECT_EQ(main().enabled, c.main_enabled) << c.name;
        for (const char* w : {"FORM8", "FORM16"}) {
            EXPECT_EQ(pf::forms().is_loaded(w) && pf::form(w).visible, c.shown == w) << c.name << " " << w;
        }
        if (c.expected == R::MainClosingOthers) {
            EXPECT_FALSE(pf::forms().is_loaded("FORM16")) << c.name;
        }
        EXPECT_EQ(pf::forms().is_loaded("FORM10"), c.list_open) << c.name;
        EXPECT_EQ(h.read("SYSTEM_F\\ATESAKI.txt"), "\r\n") << c.name;
        EXPECT_EQ(h.read("SYSTEM_F\\HENSIN.txt"), " \r\n") << c.name;
        g.UNSENT_MODE = 0;
        pf::forms().unload("FORM10");
    }
}

}  // namespace
}  // namespace tv::test
