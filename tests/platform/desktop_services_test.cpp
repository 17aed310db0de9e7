// The dialogs, printer, shell, clipboard and beep as handlers use them: on the headless platform
// (answers scripted, requests recorded), and the real shell against stand-in xdg programs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "common/errors.h"
#include "common/paths.h"
#include "harness/harness.h"
#include "platform/platform.h"
#include "platform/linux_system.h"
#include "platform/xdg_shell.h"

namespace tv::platform {
namespace {

using namespace tv::literals;
using Outcome = DialogAnswer::Outcome;

int error_of(const std::function<void()>& act) {
    try {
        act();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST(HeadlessDialogs, AnswerAsScriptedAndRecordWhatWasAsked) {
    test::Harness h;
    auto& dialogs = h.platform.dialogs;
    InputBoxRequest word{"FORM11", "ｓｐａｍ特定文字追加"_sj, "ｓｐａｍを特定する文字を入力して下さい。     "_sj, "", 6};
    struct Typed {
        std::optional<std::string> typed;
        std::string answer;
    };
    for (const auto& c : std::vector<Typed>{{" spam ", " spam "},
                                            {"abcdあい"_sj, "abcdあ"_sj},  // the limit counts CP932 bytes
                                            {std::nullopt, "\x1b"}}) {
        dialogs.type_next(c.typed);
        EXPECT_EQ(input_box(word), c.answer);
    }
    EXPECT_EQ(input_box(word), "\x1b");  // nothing scripted: cancelled

    FileDialogRequest save{"FORM3", "ファイルの保存"_sj, "/home/taro/Desktop\\a.pdf", {{"すべてのファイル(*.*)"_sj, "*.*"}}};
    dialogs.choose_next("/home/taro/Desktop/a.pdf");
    dialogs.choose_next(std::nullopt);
    dialogs.choose_not_cp932_next("/home/taro/\xF0\x9F\x98\x80.pdf");
    EXPECT_EQ(save_file_dialog(save).path, "/home/taro/Desktop/a.pdf");
    EXPECT_EQ(open_file_dialog(save).outcome, Outcome::Cancelled);
    EXPECT_EQ(browse_folder("FORM7").outcome, Outcome::NotCp932);
    EXPECT_EQ(browse_folder("FORM7").outcome, Outcome::Cancelled);

    ASSERT_EQ(dialogs.shown().size(), 8u);
    EXPECT_EQ(dialogs.shown()[0].input.title, word.title);
    const auto& saved = dialogs.shown()[4];
    EXPECT_EQ(saved.kind, headless::ScriptedDialogs::Kind::SaveFile);
    EXPECT_EQ(saved.file.start, save.start);
    EXPECT_EQ(saved.file.filters[0].caption, "すべてのファイル(*.*)"_sj);
    EXPECT_EQ(dialogs.shown()[6].kind, headless::ScriptedDialogs::Kind::Folder);
    EXPECT_EQ(dialogs.shown()[6].file.owner, "FORM7");

    services().dialogs = nullptr;  // no dialog can be shown: each counts as cancelled
    EXPECT_EQ(input_box(word), "\x1b");
    EXPECT_FALSE(open_file_dialog(save).chosen());
}

TEST(HeadlessPrinter, RecordsPagesAndRowsOfWhatTheChoiceLetsThrough) {
    test::Harness h;
    auto& printer = h.platform.printer;
    auto job = [] {
        PrinterService& p = *services().printer;
        bool started = p.start_document("PRINTER");
        p.set_font("ＭＳ 明朝"_sj, 10);
        p.print_row("");
        p.print_row("   差出人： a"_sj);
        p.new_page();
        p.print_row("one\ntwo");
        p.end_document();
        return started;
    };
    printer.answer_next(PrintChoice::Cancelled);
    printer.answer_next(PrintChoice::Failed);
    EXPECT_EQ(services().printer->choose("FORM3"), PrintChoice::Cancelled);
    EXPECT_EQ(services().printer->choose("FORM3"), PrintChoice::Failed);
    EXPECT_FALSE(job());  // after a failed dialog nothing reaches a printer
    EXPECT_TRUE(printer.documents().empty());
    EXPECT_EQ(services().printer->choose("FORM3"), PrintChoice::Print);
    EXPECT_TRUE(job());
    ASSERT_EQ(printer.documents().size(), 1u);
    const auto& doc = printer.documents()[0];
    EXPECT_EQ(doc.name, "PRINTER");
    EXPECT_TRUE(doc.ended);
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.pages[0].size(), 2u);
    EXPECT_EQ(doc.pages[0][1].text, "   差出人： a"_sj);
    EXPECT_EQ(doc.pages[0][1].points, 10);
    EXPECT_EQ(doc.pages[1][0].text, "one\ntwo");
    EXPECT_EQ(printer.dialogs(), (std::vector<std::string>{"FORM3", "FORM3", "FORM3"}));
}

TEST(HeadlessShellClipboardAndBeep, RecordAndRaiseAsTheDesktopWould) {
    test::Harness h;
    h.write("TENPFIL\\a.pdf", "%PDF");
    h.write("SYSTEM_F\\DUSEACT\\m.eml", "x");
    h.platform.shell.extensions_without_program.insert("EML");
    EXPECT_EQ(error_of([] { shell_open_document("TENPFIL\\a.pdf"); }), 0);
    EXPECT_EQ(error_of([] { shell_open_document("TENPFIL\\gone.pdf"); }), err::kNotFound);
    EXPECT_EQ(error_of([] { shell_open_document("SYSTEM_F\\DUSEACT\\m.eml"); }), err::kBadName);
    shell_open_address("www.example.jp");
    EXPECT_EQ(h.platform.shell.documents, std::vector<std::string>{"TENPFIL\\a.pdf"});
    EXPECT_EQ(h.platform.shell.addresses, std::vector<std::string>{"www.example.jp"});

    h.platform.clipboard.content = "http://example.jp/\r\n";
    EXPECT_EQ(clipboard_text(), "http://example.jp/\r\n");  // line ends included
    clear_clipboard();
    EXPECT_EQ(clipboard_text(), "");
    h.platform.clipboard.content = std::nullopt;  // text CP932 cannot hold
    EXPECT_EQ(clipboard_text(), std::nullopt);

    beep();
    beep();
    EXPECT_EQ(h.platform.sound.beeps, 2);
}

// The Desktop folder as the user's folders name it, else ~/Desktop, else the home folder itself.
TEST(LinuxDesktopFolder, TheHomeFolderWhenThereIsNoDesktop) {
    test::Harness h;
    auto home = h.folder / "home";
    std::filesystem::create_directories(home / ".config");
    std::string old_home = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* old_config = std::getenv("XDG_CONFIG_HOME");
    std::string saved_config = old_config ? old_config : "";
    ::setenv("HOME", home.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    LinuxSystem system;
    EXPECT_EQ(system.desktop_folder(), home.string());
    std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
    EXPECT_EQ(system.desktop_folder(), home.string());  // named, but not there
    std::filesystem::create_directories(home / "Desktop");
    EXPECT_EQ(system.desktop_folder(), (home / "Desktop").string());
    std::filesystem::create_directories(home / "Schreibtisch");
    EXPECT_EQ(system.desktop_folder(), (home / "Schreibtisch").string());
    ::setenv("HOME", old_home.c_str(), 1);
    if (old_config) ::setenv("XDG_CONFIG_HOME", saved_config.c_str(), 1);
}

// The real shell, with stand-ins for xdg-open (it logs its arguments) and xdg-mime (text files
// have a program, .xyz files none, and for .slow files it never answers) first on the PATH.
class XdgShellTest : public ::testing::Test {
protected:
    XdgShellTest() {
        bin = h.folder / "bin";
        log = h.folder / "opened.log";
        std::filesystem::create_directories(bin);
        script("xdg-open", "printf '[%s]\\n' \"$@\" >> \"" + log.string() + "\"\n");
        script("xdg-mime",
               "case \"$2:$3\" in\n"
               "  filetype:*.xyz) echo application/x-none ;;\n"
               "  filetype:*.slow) exec sleep 60 ;;\n"
               "  filetype:*) echo text/plain ;;\n"
               "  default:text/plain) echo editor.desktop ;;\n"
               "  default:message/rfc822) echo talvenor-test-mailer.desktop ;;\n"
               "esac\n");
        old_path = std::getenv("PATH");
        ::setenv("PATH", (bin.string() + ":" + old_path).c_str(), 1);
    }
    ~XdgShellTest() override { ::setenv("PATH", old_path.c_str(), 1); }

    void script(const std::string& name, const std::string& body) {
        std::ofstream out(bin / name);
        out << "#!/bin/sh\n" << body;
        out.close();
        std::filesystem::permissions(bin / name, std::filesystem::perms::owner_all);
    }
    // The started program is not waited for: wait here until its log line is written.
    std::string logged(std::size_t lines) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::string text;
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream in(log);
            text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) >= lines) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return text;
    }

    test::Harness h;
    std::filesystem::path bin, log;
    std::string old_path;
    XdgShell shell;
};

TEST_F(XdgShellTest, OpensWithOneArgumentAndRaisesForMissingFilesAndTypesWithoutAProgram) {
    h.write("TENPFIL\\請求書 (1).txt"_sj, "x");
    h.write("TENPFIL\\a.xyz", "x");
    shell.open_document("TENPFIL\\請求書 (1).txt"_sj);
    EXPECT_EQ(logged(1), "[" + (h.folder / "TENPFIL" / "請求書 (1).txt").string() + "]\n");
    shell.open_address("http://example.jp/a?b=1&c=$HOME");
    EXPECT_EQ(logged(2), "[" + (h.folder / "TENPFIL" / "請求書 (1).txt").string() + "]\n" +
                             "[http://example.jp/a?b=1&c=$HOME]\n");
    EXPECT_EQ(error_of([&] { shell.open_document("TENPFIL\\gone.txt"); }), err::kNotFound);
    EXPECT_EQ(error_of([&] { shell.open_document("TENPFIL\\a.xyz"); }), err::kBadName);
    std::filesystem::remove(bin / "xdg-open");
    ::setenv("PATH", bin.string().c_str(), 1);
    EXPECT_EQ(error_of([&] { shell.open_address("www.example.jp"); }), err::kBadName);
}

// A mail goes to the desktop's program for mail whatever its content looks like (a stored mail
// begins with the program's own header); a type the desktop names no program for is told.
TEST_F(XdgShellTest, ADocumentOpensWithTheProgramOfTheTypeAskedFor) {
    auto data = h.folder / "share";
    std::filesystem::create_directories(data / "applications");
    script("mailer", "printf '[mail %s]\\n' \"$@\" >> \"" + log.string() + "\"\n");
    std::ofstream(data / "applications" / "talvenor-test-mailer.desktop")
        << "[Desktop Entry]\nType=Application\nName=Mailer\nExec=" << (bin / "mailer").string() << " %f\n";
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    h.write("SYSTEM_F\\DUSEACT\\a.eml", "X-Talvenor-Id: 0\r\nFrom: a@example.jp\r\n\r\nbody\r\n");
    shell.open_document_as("SYSTEM_F\\DUSEACT\\a.eml", "message/rfc822");
    EXPECT_EQ(logged(1), "[mail " + (h.folder / "SYSTEM_F" / "DUSEACT" / "a.eml").string() + "]\n");
    EXPECT_EQ(error_of([&] { shell.open_document_as("SYSTEM_F\\DUSEACT\\a.eml", "application/x-none"); }), err::kBadName);
    EXPECT_EQ(error_of([&] { shell.open_document_as("SYSTEM_F\\DUSEACT\\gone.eml", "message/rfc822"); }), err::kNotFound);
    ::unsetenv("XDG_DATA_HOME");
}

// A type query that never answers holds the program no longer than the shell's limit; the
// question then cannot be asked, and xdg-open is left to find a program.
TEST_F(XdgShellTest, ATypeQueryThatNeverAnswersIsGivenUp) {
    h.write("TENPFIL\\a.slow", "x");
    XdgShell quick(std::chrono::milliseconds(300));
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(error_of([&] { quick.open_document("TENPFIL\\a.slow"); }), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(logged(1), "[" + (h.folder / "TENPFIL" / "a.slow").string() + "]\n");
}

}  // namespace
}  // namespace tv::platform
