// Mail, records, books and the account are the user's alone.
#pragma once

#include <string_view>

namespace tv::files {

// From here on the process creates files 0600 and folders 0700 (its umask), and an account file
// that other users could read is made readable by its owner alone. Each program runs it once at
// its start.
void keep_files_private();

// Takes the group's and others' access away from a file or folder of the program folder. One
// reached through a symbolic link (a store folder or account file the user linked elsewhere) is
// left as it is: it is the user's own, wherever it lies.
void close_to_others(std::string_view path);

}  // namespace tv::files
