// A copy the user keeps outside the program folder (a saved mail or attachment), made as the
// desktop's own save makes it: the name never holds part of the file, a file replaced stays what it
// was (its names, owner and mode), and a file the user may not write is not replaced.
#pragma once

#include <string_view>

namespace tv::files {

enum class CopyOutcome {
    Copied,
    SameFile,  // `to` is `from` itself (through a link, say): nothing was done
};

// Copies `from` to `to`. The copy is written beside its place first, under the hidden name
// "." + name + ".unfinished-save" (what a killed save of the same file left there is removed
// first), and then:
// - a new file takes its name without replacing anything (a file that took the name meanwhile
//   stays, and the save raises error 64); it gets user_file_mode();
// - a file replaced keeps its mode; it is renamed over, or, when it has other names or a rename
//   would give it another owner or mode, overwritten where it is once the whole copy is beside it
//   and the disk holds room for the file's new size (a full disk refuses with the file whole);
//   one the user may not write by its permission (write-protected, another's) raises error 75.
// A replace through the user's link replaces the file the link leads to. A target that is the
// source file itself is left as it is. Raises error 63 when `from` is missing and a runtime error
// when the copy fails (the copy beside is then removed, but where an overwrite in place failed
// half-way: there it stays, whole).
CopyOutcome copy_file_for_user(std::string_view from, std::string_view to);

}  // namespace tv::files
