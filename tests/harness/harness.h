// Drives the program as a user would, on the headless platform: a fresh program folder per test,
// virtual time, scripted message-box answers and a fake script host.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/sjis.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "platform/services.h"

namespace tv::test {

using namespace tv::literals;

class Harness {
public:
    Harness();
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    platform::headless::HeadlessPlatform platform;
    std::filesystem::path folder;  // the program folder

    platform::headless::VirtualClock& clock() { return platform.clock; }
    platform::headless::FakeScriptHost& scripts() { return platform.script_host; }
    platform::headless::RecordingMessageBox& boxes() { return platform.message_box; }

    // Files by system path ("SYSTEM_F\CHECK.txt"); parent folders are created.
    void write(std::string_view path, std::string_view bytes);
    void write_lines(std::string_view path, const std::vector<std::string>& lines);
    std::string read(std::string_view path) const;
    bool exists(std::string_view path) const;
    void make_folder(std::string_view path);
    // Every file and folder below the program folder, files with their bytes (to see that nothing
    // changed).
    std::map<std::string, std::string> snapshot() const;

    // A fake parse script for sam046.wsf and sam047.wsf: it reads the request, and writes the lines
    // of the named mail file (written by add_mail) as the result, with the end line after them.
    void install_fake_parser();
    // A mail whose file holds its own parse result lines.
    void add_mail(std::string_view folder, std::string_view name, std::string_view date, std::string_view from,
                  std::string_view subject, const std::vector<std::string>& attachments = {});

    // Defines the program's windows and handlers (the forms the code under test draws on).
    void install_program();

    // Runs program code; true when it ended the program.
    bool run(const std::function<void()>& code);
    // Runs program code as the event loop does: a runtime error goes to the global error trap.
    bool run_trapped(const std::function<void()>& code);

    // Starts the program: the start-up sequence, then loop passes until nothing is left to do.
    // The script-host check answers unless `script_host_answers` is false.
    bool start(bool script_host_answers = true);
    // The program gone where it stood (a kill) and started again on the same program folder, as
    // its next start finds it.
    bool restart();
    // Runs loop passes until a pass ends with nothing queued (at most `max_passes`).
    void settle(int max_passes = 2000);
    // Runs loop passes until the virtual clock reads `until` (timers raise their events meanwhile).
    void run_until(const platform::DateTime& until);
    // What a user does; each is followed by settle().
    void click(const std::string& form, const std::string& control);
    void click_row(const std::string& form, const std::string& list, int row);
    void press_list_key(const std::string& form, const std::string& list, platform::input::ListKey key);
    void press_delete();

    // The rows of a list control.
    std::vector<std::string> rows(const std::string& form, const std::string& list);
    bool program_ended() const { return ended_; }

private:
    bool ended_ = false;
};

// CR LF joined lines.
std::string crlf(const std::vector<std::string>& lines);

}  // namespace tv::test
