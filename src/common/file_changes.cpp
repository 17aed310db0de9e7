#include "common/file_changes.h"

#include <string>

#include "common/paths.h"

namespace tv::files {

namespace {

FileChangeWatch& installed() {
    static FileChangeWatch watch;
    return watch;
}

}  // namespace

void watch_file_changes(FileChangeWatch watch) { installed() = std::move(watch); }

void before_change(FileChange change, const std::filesystem::path& disk, std::string_view what) {
    if (!installed()) return;
    if (int e = installed()(change, disk); e != 0) raise_errno(e, std::string(what) + " " + disk.string());
}

}  // namespace tv::files
