// Who may read what the program writes: below the program folder (mail, records, books, the
// account) the user alone; a file the user saves elsewhere, whom the user's own umask lets.
#pragma once

#include <string_view>

namespace tv::files {

// From here on the process creates files 0600 and folders 0700 (its umask), and an account file
// that other users could read is made readable by its owner alone. The umask the process had
// before is remembered as the user's. Each program runs it once at its start.
void keep_files_private();

// Takes the group's and others' access away from a file or folder of the program folder. One
// reached through a symbolic link (a store folder or account file the user linked elsewhere) is
// left as it is: it is the user's own, wherever it lies.
void close_to_others(std::string_view path);

// The mode a new file gets from the user's own umask: 0666 less the umask.
unsigned user_file_mode();

}  // namespace tv::files
