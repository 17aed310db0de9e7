#include "harness/harness.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "common/globals.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "platform/platform.h"
#include "shell/program.h"

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
        lines.push_back("ENDDAYOPPI_AKASATA_HONYOHOYNYO");
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

void Harness::install_program() { shell::install_program(); }

std::string crlf(const std::vector<std::string>& lines) { return files::join_lines(lines); }

}  // namespace tv::test
