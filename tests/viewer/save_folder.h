// A folder outside the program folder for the files a test saves, removed afterwards.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "harness/outside_folder.h"

namespace tv::viewer::test {

struct SaveFolder : tv::test::OutsideFolder {
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
