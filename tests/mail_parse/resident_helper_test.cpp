// The program's script host with the real mail component: the parse scripts share one resident
// helper, which is started again after it died or hung, and ends with the host.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "common/exchange_files.h"
#include "common/text_file.h"
#include "component_runner.h"
#include "harness/harness.h"
#include "platform/platform.h"
#include "platform/process_script_host.h"
#include "result_invariants.h"

namespace tv::test {
namespace {

namespace pf = tv::platform;

bool process_runs(pid_t pid) { return pid > 0 && ::kill(pid, 0) == 0; }

// A stand-in component: a shell script that plays the helper badly.
std::filesystem::path script_component(Harness& h, const std::string& body) {
    std::filesystem::path path = h.folder / "fake-mail";
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

// Counts the files renamed into a folder under one name while it lives (an inotify watch).
class RenamesInto {
public:
    RenamesInto(const std::filesystem::path& folder, std::string name)
        : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name_(std::move(name)) {
        // Creations too: the kernel folds like events in a row into one.
        EXPECT_GE(::inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO | IN_CREATE), 0);
    }
    ~RenamesInto() { ::close(fd_); }
    RenamesInto(const RenamesInto&) = delete;
    RenamesInto& operator=(const RenamesInto&) = delete;
    int count() {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + n;) {
                auto* event = reinterpret_cast<inotify_event*>(at);
                if ((event->mask & IN_MOVED_TO) && event->len > 0 && name_ == event->name) ++count_;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return count_;
    }

private:
    int fd_;
    std::string name_;
    int count_ = 0;
};

struct ResidentHelperTest : ::testing::Test {
    Harness h;
    ResidentHelperTest() {
        h.make_folder("SYSTEM_F");
        h.make_folder("TENPFIL");
        h.write("JUSINBOX\\20240101_120000_0001.eml", fixture("shift_jis_8bit.eml"));
        ::setenv("TZ", kTestTimeZone, 1);
    }
    std::vector<std::string> parse(pf::ProcessScriptHost& host, const char* script) {
        h.write(exchange::kRequestFile, "JUSINBOX\\20240101_120000_0001.eml\r\n");
        std::filesystem::remove(h.folder / "SYSTEM_F" / "YOMITORI.txt");
        host.run_and_wait(script);
        auto lines = files::split_lines(h.read(exchange::kParseResultFile));
        return lines;
    }
};

TEST_F(ResidentHelperTest, ParsesShareOneHelperThatEndsWithTheHost) {
    pid_t helper = 0;
    {
        pf::ProcessScriptHost host(TALVENOR_MAIL_PROGRAM, h.folder);
        bool dispatched = false;
        h.platform.window_system.post_message([&] { dispatched = true; });
        for (const char* script : {"sam046.wsf", "sam047.wsf", "sam046.wsf"}) {
            auto lines = parse(host, script);
            ASSERT_FALSE(lines.empty()) << script;
            EXPECT_EQ(lines.back(), exchange::kEndLine) << script;
            if (helper == 0) helper = host.parse_helper();
            EXPECT_EQ(host.parse_helper(), helper) << script;
        }
        EXPECT_TRUE(dispatched);  // window messages go on while the helper works
        EXPECT_TRUE(process_runs(helper));
        h.write(exchange::kRequestFile, std::string(exchange::kRequestWord) + "\r\n");
        host.run_and_wait("sam000.wsf");  // the check runs as a process of its own
        EXPECT_EQ(h.read(exchange::kCheckResultFile), "OK\r\n");
        EXPECT_EQ(host.parse_helper(), helper);
    }
    EXPECT_FALSE(process_runs(helper));
}

// Each parse puts its result in place once: one write of the result file per mail.
TEST_F(ResidentHelperTest, EachParseWritesItsResultOnce) {
    pf::ProcessScriptHost host(TALVENOR_MAIL_PROGRAM, h.folder);
    RenamesInto results(h.folder / "SYSTEM_F", "YOMITORI.txt");
    for (const char* script : {"sam046.wsf", "sam047.wsf", "sam046.wsf"}) {
        ASSERT_EQ(parse(host, script).back(), exchange::kEndLine) << script;
    }
    EXPECT_EQ(results.count(), 3);
}

// The helper learns nothing about TENPFIL that outlives a parse: files changed or removed between
// parses count as they are then.
TEST_F(ResidentHelperTest, EachParseFindsTenpfilAsItIsNow) {
    using namespace tv::literals;
    h.write("JUSINBOX\\20240101_120000_0001.eml", fixture("two_attachments.eml"));
    const std::string pdf = "TENPFIL\\" + "見積書 ①.pdf"_sj;
    pf::ProcessScriptHost host(TALVENOR_MAIL_PROGRAM, h.folder);
    auto first_name = [&] {
        auto names = attachment_names(parse(host, "sam046.wsf"));
        return names.empty() ? std::string() : names[0];
    };
    EXPECT_EQ(first_name(), "見積書 ①.pdf"_sj);
    EXPECT_EQ(first_name(), "見積書 ①.pdf"_sj);
    std::string saved = h.read(pdf);
    std::string changed(saved.size(), 'x');  // same size, other bytes
    h.write(pdf, changed);
    EXPECT_EQ(first_name(), "見積書 ①(2).pdf"_sj);
    EXPECT_EQ(h.read(pdf), changed);
    std::filesystem::remove(h.folder / "TENPFIL" / "見積書 ①.pdf");
    std::filesystem::remove(h.folder / "TENPFIL" / "見積書 ①(2).pdf");
    EXPECT_EQ(first_name(), "見積書 ①.pdf"_sj);
    EXPECT_EQ(h.read(pdf), saved);
    EXPECT_NE(host.parse_helper(), 0);
}

TEST_F(ResidentHelperTest, AHungHelperIsKilledAtTheLimitAndADeadOneStartedAgain) {
    // Reads requests and never answers.
    pf::ProcessScriptHost hung(script_component(h, "while read line; do :; done"), h.folder);
    hung.set_limit_for_tests(1);
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(parse(hung, "sam046.wsf").empty());  // no result, as from a script that wrote none
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_EQ(hung.parse_helper(), 0);

    // Ends at once: every parse finds it gone and starts it again.
    pf::ProcessScriptHost dying(script_component(h, "exit 0"), h.folder);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(parse(dying, "sam047.wsf").empty());
        EXPECT_EQ(dying.parse_helper(), 0);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// A helper that died while it waited (killed from outside) is replaced for the parse that finds it
// gone: that parse still gets its result.
TEST_F(ResidentHelperTest, AHelperThatDiedWhileIdleIsReplacedForTheNextParse) {
    pf::ProcessScriptHost host(TALVENOR_MAIL_PROGRAM, h.folder);
    ASSERT_FALSE(parse(host, "sam046.wsf").empty());
    pid_t first = host.parse_helper();
    ASSERT_EQ(::kill(first, SIGKILL), 0);
    // Once it is a zombie (until the host reaps it) its end of the socket is closed.
    auto zombie = [first] {
        std::ifstream stat("/proc/" + std::to_string(first) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        std::size_t paren = text.rfind(')');
        return paren != std::string::npos && text.compare(paren, 3, ") Z") == 0;
    };
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!zombie() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(zombie());
    auto lines = parse(host, "sam046.wsf");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), exchange::kEndLine);
    EXPECT_NE(host.parse_helper(), first);
    EXPECT_TRUE(process_runs(host.parse_helper()));
}

// A helper that answers but does not end when the host lets it go is killed soon after.
TEST_F(ResidentHelperTest, AHelperThatOutlivesItsHostIsKilled) {
    pid_t helper = 0;
    std::chrono::steady_clock::time_point start;
    {
        pf::ProcessScriptHost host(script_component(h, "while read line; do echo done >&0; done; exec sleep 60"), h.folder);
        parse(host, "sam046.wsf");
        helper = host.parse_helper();
        ASSERT_TRUE(process_runs(helper));
        start = std::chrono::steady_clock::now();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(process_runs(helper));
}

// A parse that does not end (here of a FIFO no one writes, which holds its open) is stopped at
// the limit and leaves the mail unreadable, as does a helper that dies in a parse; a new helper
// serves the next parse.
TEST_F(ResidentHelperTest, AParseStoppedAtTheLimitLeavesTheMailUnreadable) {
    ASSERT_EQ(::mkfifo((h.folder / "JUSINBOX" / "20240102_120000_0002.eml").c_str(), 0600), 0);
    pf::ProcessScriptHost host(TALVENOR_MAIL_PROGRAM, h.folder);
    host.set_limit_for_tests(1);
    const std::vector<std::string> unreadable{"DATE: 2024/01/02 12:00:00", "FROM: can not read mail !", "TO: ",
                                              "SUBJECT: can not read mail !", "Body: ", "FILE:",
                                              std::string(exchange::kEndLine)};
    for (bool killed_from_outside : {false, true}) {
        ASSERT_EQ(parse(host, "sam046.wsf").back(), exchange::kEndLine);
        pid_t stopped = host.parse_helper();
        h.write(exchange::kRequestFile, "JUSINBOX\\20240102_120000_0002.eml\r\n");
        std::filesystem::remove(h.folder / "SYSTEM_F" / "YOMITORI.txt");
        std::thread killer;
        if (killed_from_outside) {
            killer = std::thread([stopped] {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                ::kill(stopped, SIGKILL);
            });
        }
        host.run_and_wait("sam046.wsf");
        if (killer.joinable()) killer.join();
        EXPECT_EQ(files::split_lines(h.read(exchange::kParseResultFile)), unreadable) << killed_from_outside;
        EXPECT_FALSE(process_runs(stopped)) << killed_from_outside;
        EXPECT_NE(host.parse_helper(), stopped) << killed_from_outside;
        EXPECT_EQ(parse(host, "sam046.wsf").back(), exchange::kEndLine) << killed_from_outside;
    }
}

// The start-up index of a box that holds such a mail reads it as unreadable, and the program goes
// on without a word. (The mail is listed as a file and becomes the FIFO once its parse is asked for.)
TEST(ParseLimit, TheProgramGoesOnPastAMailWhoseParseIsStopped) {
    Harness h;
    ::setenv("TZ", kTestTimeZone, 1);
    const std::string mail = "JUSINBOX\\20240102_120000_0002.eml";
    h.write(mail, "From: a@example.jp\r\nSubject: hi\r\n\r\nhello\r\n");
    bool swapped = false;
    h.clock().on_sleep = [&](int) {
        if (swapped || files::read_first_line(exchange::kRequestFile) != mail) return;
        std::filesystem::path disk = h.folder / "JUSINBOX" / "20240102_120000_0002.eml";
        std::filesystem::remove(disk);
        swapped = ::mkfifo(disk.c_str(), 0600) == 0;
    };
    pf::ProcessScriptHost host(TALVENOR_MAIL_PROGRAM, h.folder);
    host.set_limit_for_tests(1);
    pf::services().script_host = &host;
    ASSERT_TRUE(h.start());
    EXPECT_TRUE(swapped);
    EXPECT_TRUE(h.boxes().shown().empty());
    EXPECT_EQ(files::split_lines(h.read(exchange::kParseResultFile))[1], "FROM: can not read mail !");
}

TEST(TransferModule, AMissingModuleStillGivesTheProgramAnErrorResult) {
    Harness h;
    h.make_folder("SYSTEM_F");
    std::filesystem::path lone = h.folder / "lone";
    std::filesystem::create_directories(lone);
    std::filesystem::copy_file(TALVENOR_MAIL_PROGRAM, lone / "talvenor-mail");
    for (auto [command, result] : {std::pair{"receive", exchange::kReceiveResultFile}, std::pair{"send", exchange::kSendResultFile}}) {
        EXPECT_EQ(run_mail_component(h.folder, command, lone / "talvenor-mail"), 1) << command;
        std::string line = h.read(result);
        EXPECT_EQ(line.rfind(exchange::kResultError, 0), 0u) << command;
        EXPECT_NE(line.find("libtalvenor-mail-transfer.so"), std::string::npos) << command;
    }
}

// A killed program's helper writes no result: a program started again at once would take it for
// the result of its own parse (another mail's sender and subject on a row, in the answering log).
// The helper's mail is a FIFO, so that its parse waits at the mail until the test lets it go on.
TEST_F(ResidentHelperTest, AHelperWhoseProgramWasKilledWritesNoResult) {
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);  // the orphaned helper becomes the test's child
    std::filesystem::path fifo = h.folder / "JUSINBOX" / "20240101_120000_0002.eml";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    h.write(exchange::kRequestFile, "JUSINBOX\\20240101_120000_0002.eml\r\n");
    h.write(exchange::kParseMarksFile, "x\r\n");  // the helper removes it as its parse begins
    std::filesystem::path result = h.folder / "SYSTEM_F" / "YOMITORI.txt";
    std::filesystem::remove(result);

    // The program: starts the helper, asks for the parse, waits.
    pid_t program = ::fork();
    ASSERT_GE(program, 0);
    if (program == 0) {
        int ends[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) ::_exit(1);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, h.folder.c_str());
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
        std::string component = TALVENOR_MAIL_PROGRAM;
        std::string command = exchange::command::kParse, flag = exchange::command::kResidentFlag;
        char* argv[] = {component.data(), command.data(), flag.data(), nullptr};
        pid_t helper = 0;
        if (::posix_spawn(&helper, component.c_str(), &actions, nullptr, argv, environ) != 0) ::_exit(1);
        std::string_view request = exchange::command::kResidentRequest;
        if (::write(ends[0], request.data(), request.size()) != static_cast<ssize_t>(request.size())) ::_exit(1);
        for (;;) ::pause();
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (h.exists(exchange::kParseMarksFile) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_FALSE(h.exists(exchange::kParseMarksFile));  // the parse has begun
    ::kill(program, SIGKILL);
    ASSERT_EQ(::waitpid(program, nullptr, 0), program);

    // The helper, now the test's child, ends without a word...
    bool ended = false;
    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!ended && std::chrono::steady_clock::now() < deadline) {
        ended = ::waitpid(-1, nullptr, WNOHANG) > 0;
        if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // ...or, still at work, is let go on and reaped.
    int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    if (!ended) ::waitpid(-1, nullptr, 0);
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(std::filesystem::exists(result));
}

}  // namespace
}  // namespace tv::test
