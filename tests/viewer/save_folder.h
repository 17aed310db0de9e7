// A folder outside the program folder for the files a test saves, removed afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace tv::viewer::test {

struct SaveFolder {
    std::filesystem::path path;
    SaveFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "talvenor-saved-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a folder for saved files");
        path = pattern;
    }
    ~SaveFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    // The path as a dialog answers it (ASCII here, so CP932 as it stands).
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    std::string text() const { return path.string(); }
};

// The bytes of a saved file; empty when there is none.
inline std::string disk_read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tv::viewer::test
