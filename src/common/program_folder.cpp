#include "common/program_folder.h"

#include <algorithm>
#include <filesystem>

#include "common/paths.h"

namespace tv::files {

namespace stdfs = std::filesystem;

bool inside_program_folder(std::string_view path) {
    std::error_code ec;
    stdfs::path home = stdfs::weakly_canonical(program_folder(), ec);
    if (ec) return false;
    stdfs::path file = stdfs::weakly_canonical(resolve(path), ec);
    if (ec) return false;
    auto [h, f] = std::mismatch(home.begin(), home.end(), file.begin(), file.end());
    return h == home.end();
}

}  // namespace tv::files
