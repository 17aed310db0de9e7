// Whether a path lies in the program folder, whose files the program itself replaces and deletes
// (TENPFIL is emptied at exit, the answering mode's files are rewritten).
#pragma once

#include <string_view>

namespace tv::files {

// True for the program folder and anything below it, whatever the spelling of the path.
bool inside_program_folder(std::string_view path);

}  // namespace tv::files
