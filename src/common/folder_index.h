// The names in a folder for case-blind lookups, without listing the folder for every name that is
// not there yet: a folder is listed once, then kept current by its file-system events (inotify),
// which report the program's own writes and those of other processes alike.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tv::files {

// ASCII letters to lower case, every other byte as it is (for UTF-8 disk names).
std::string fold_ascii(std::string_view name);

// The entry of `folder` (a disk path) whose name folds to `folded`: of several, the smallest in raw
// bytes; empty when there is none or the folder cannot be listed.
std::string find_case_blind(const std::filesystem::path& folder, std::string_view folded);

// Calls `each` with the folded name of every entry of `folder` (any kind of entry, dot-files too;
// case variants once); false when the folder cannot be listed.
bool for_each_folded_name(const std::filesystem::path& folder, const std::function<void(std::string_view)>& each);

}  // namespace tv::files
