#include "harness/harness.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "platform/platform.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/list_registration.h"
#include "program/install_program.h"
#include "shell/error_trap.h"
#include "shell/event_loop.h"
#include "shell/startup.h"

namespace tv::test {

namespace stdfs = std::filesystem;

Harness::Harness() {
    std::string pattern = (stdfs::temp_directory_path() / "talvenor-test-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    if (!made) throw std::runtime_error("cannot create a temporary program folder");
    folder = made;
    files::set_program_folder(folder);
    reset_globals();
}

Harness::~Harness() {
    std::error_code ec;
    stdfs::remove_all(folder, ec);
}

void Harness::write(std::string_view path, std::string_view bytes) {
    stdfs::path disk = files::resolve(path);
    stdfs::create_directories(disk.parent_path());
    std::ofstream out(disk, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Harness::write_lines(std::string_view path, const std::vector<std::string>& lines) { write(path, crlf(lines)); }

std::string Harness::read(std::string_view path) const {
    std::ifstream in(files::resolve(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Harness::exists(std::string_view path) const { return stdfs::exists(files::resolve(path)); }

void Harness::make_folder(std::string_view path) { stdfs::create_directories(files::resolve(path)); }

std::map<std::string, std::string> Harness::snapshot() const {
    std::map<std::string, std::string> found;
    for (auto& e : stdfs::recursive_directory_iterator(folder)) {
        auto relative = stdfs::relative(e.path(), folder).string();
        found[relative] = e.is_regular_file() ? read(relative) : "<folder>";
    }
    return found;
}

bool Harness::run(const std::function<void()>& code) {
    try {
        code();
    } catch (const platform::ProgramEnd&) {
        ended_ = true;
    }
    return ended_;
}

void Harness::install_fake_parser() {
    auto parse = [this] {
        std::string request = files::read_first_line("SYSTEM_F\\CHECK.txt");
        auto mail = files::read_lines(request);
        std::vector<std::string> lines = mail ? *mail : std::vector<std::string>{};
        lines.emplace_back(exchange::kEndLine);
        write_lines("SYSTEM_F\\YOMITORI.txt", lines);
    };
    scripts().on("sam046.wsf", parse);
    scripts().on("sam047.wsf", parse);
}

void Harness::add_mail(std::string_view folder, std::string_view name, std::string_view date, std::string_view from,
                       std::string_view subject, const std::vector<std::string>& attachments) {
    std::vector<std::string> lines{"DATE: " + std::string(date), "FROM: " + std::string(from), "TO: me@example.jp",
                                   "SUBJECT: " + std::string(subject), "Body: hello"};
    for (const auto& a : attachments) lines.push_back("File: TENPFIL\\" + a);
    if (attachments.empty()) lines.push_back("FILE:");
    write_lines(files::join(folder, name), lines);
}

void Harness::install_program() {
    tv::install_program();
    platform::services().component_path = (folder / "talvenor-mail").string();
}

bool Harness::run_trapped(const std::function<void()>& code) {
    return run([&] {
        try {
            code();
        } catch (const std::exception& e) {
            shell::GLOBAL_ERROR_TRAP(shell::error_number_of(e));
        }
    });
}

bool Harness::start(bool script_host_answers) {
    install_program();
    if (script_host_answers && !scripts().has("sam000.wsf")) {
        scripts().on("sam000.wsf", [this] { write("SYSTEM_F\\VBS_CHECK.txt", "OK\r\n"); });
    }
    run_trapped(shell::START_UP_SEQUENCE);
    if (!ended_) settle();
    return !ended_;
}

bool Harness::restart() {
    platform::event_queue().clear();
    platform::handlers().clear();
    platform::forms().reset();
    platform::EXT_TABLE() = platform::ExtTable{};
    reset_globals();
    ended_ = false;
    return start();
}

void Harness::settle(int max_passes) {
    for (int i = 0; i < max_passes && !ended_; ++i) {
        run_trapped(shell::event_loop_pass);
        if (platform::event_queue().empty() && platform.window_system.waiting() == 0) break;
    }
}

void Harness::run_until(const platform::DateTime& until) {
    while (!ended_ && clock().now() < until) run_trapped(shell::event_loop_pass);
}

void Harness::click(const std::string& form, const std::string& control) {
    platform::input::click(platform::form(form).control(control));
    settle();
}

void Harness::click_row(const std::string& form, const std::string& list, int row) {
    platform::input::click_row(platform::form(form).control(list), row);
    settle();
}

void Harness::press_list_key(const std::string& form, const std::string& list, platform::input::ListKey key) {
    platform::input::press_list_key(platform::form(form).control(list), key);
    settle();
}

void Harness::press_delete() {
    platform::forms().set_active("MAINFORM");
    platform::input::press_delete(platform::form("MAINFORM"));
    settle();
}

std::vector<std::string> Harness::rows(const std::string& form, const std::string& list) {
    return platform::form(form).control(list).items();
}

std::string crlf(const std::vector<std::string>& lines) { return files::join_lines(lines); }

}  // namespace tv::test
