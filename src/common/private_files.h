// Mail, records, books and the account are the user's alone.
#pragma once

namespace tv::files {

// From here on the process creates files 0600 and folders 0700 (its umask), and an account file
// that other users could read is made readable by its owner alone. Each program runs it once at
// its start.
void keep_files_private();

}  // namespace tv::files
