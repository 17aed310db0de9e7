// The one rule that keeps the user's saves out of the program's data: whether a write to a path
// would land in the program's tree, however the path reaches it. The tree is the program folder,
// every folder below it (the stores, SYSTEM_F and its folders, the folders the program makes for one
// mail), and every folder or file that a symbolic link of the tree leads to, wherever it lies, with
// the folders below those.
#pragma once

#include <string_view>

namespace tv::files {

// Whether a write to `path` (an absolute path the user chose, or a system path) would create or
// change a file of the program's tree: spelt inside the program folder (ASCII letters in any case,
// ".." steps as written), through links on the way or a ".." after one, by the path a link of the
// tree leads to, through a dangling link whose target lies in the tree (the write would create
// that target), or onto a hard link of one of its files (the save would overwrite it in place). A tree too large to walk (a link of it leading to a whole disk) counts as holding
// the path.
bool write_reaches_program_tree(std::string_view path);

}  // namespace tv::files
