// The one seam of the file layer: every change it makes to the disk passes here first, so that a
// test can make a chosen change fail as a full disk or a file in use would, or stop the program
// right before it as a kill would, and then see what the next start finds.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace tv::files {

enum class FileChange {
    Create,      // a file created or emptied
    Write,       // bytes written into a file
    Copy,        // a file copied (the path is the source)
    Rename,      // a file renamed (the path is the source)
    Remove,      // a file deleted
    MakeFolder,  // a folder created
};

// Told of each change before it is made, with the disk path it changes. It returns 0 to let the
// change happen or an errno value to make it fail with; it may throw to stop the program there.
using FileChangeWatch = std::function<int(FileChange, const std::filesystem::path&)>;

// Installs the watch (an empty one removes it). Only tests install one.
void watch_file_changes(FileChangeWatch watch);

// Tells the watch of a change; raises the runtime error of the errno value it answers.
void before_change(FileChange change, const std::filesystem::path& disk, std::string_view what);

}  // namespace tv::files
