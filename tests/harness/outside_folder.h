// A folder outside the program folder (beside it, in the temporary folder), removed afterwards:
// for what a test links into the program folder or must see left unchanged.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

namespace tv::test {

// The permission bits of a file or folder (a link followed), e.g. 0644.
inline unsigned mode_of(const std::filesystem::path& disk) {
    struct stat st {};
    return ::stat(disk.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

struct OutsideFolder {
    std::filesystem::path path;
    OutsideFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "talvenor-outside-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a folder outside");
        path = pattern;
    }
    ~OutsideFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    OutsideFolder(const OutsideFolder&) = delete;
    OutsideFolder& operator=(const OutsideFolder&) = delete;

    // A file (its folders made) with a mode, and its disk path.
    std::filesystem::path write(const std::string& relative, const std::string& bytes, unsigned mode = 0644) const {
        std::filesystem::path file = path / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        ::chmod(file.c_str(), mode);
        return file;
    }
    std::filesystem::path make_folder(const std::string& relative, unsigned mode = 0755) const {
        std::filesystem::path folder = path / relative;
        std::filesystem::create_directories(folder);
        ::chmod(folder.c_str(), mode);
        return folder;
    }
    // Every entry below the folder with its mode, and the bytes of files (to see that nothing changed).
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> found;
        for (const auto& e : std::filesystem::recursive_directory_iterator(path)) {
            std::string entry = std::to_string(mode_of(e.path())) + " ";
            if (e.is_regular_file()) {
                std::ifstream in(e.path(), std::ios::binary);
                entry += std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            }
            found[std::filesystem::relative(e.path(), path).string()] = entry;
        }
        return found;
    }
};

}  // namespace tv::test
