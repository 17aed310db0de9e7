#include "harness/harness.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "common/paths.h"
#include "common/text_file.h"
#include "platform/platform.h"

namespace tv::test {

namespace stdfs = std::filesystem;

Harness::Harness() {
    std::string pattern = (stdfs::temp_directory_path() / "talvenor-test-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    if (!made) throw std::runtime_error("cannot create a temporary program folder");
    folder = made;
    files::set_program_folder(folder);
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

std::string crlf(const std::vector<std::string>& lines) { return files::join_lines(lines); }

}  // namespace tv::test
