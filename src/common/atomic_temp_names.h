// The names of the temporary files that whole-file writes put beside the files they replace, and
// the start's sweep of what a killed write left under such a name.
#pragma once

#include <string>
#include <string_view>

namespace tv::files {

// The temporary file's name: "." + name + ".tmp" + process id + "_" + a counter of the process.
std::string atomic_temp_name(std::string_view name, unsigned long process, unsigned long counter);
// Whether a bare disk name has exactly that form: what a killed atomic write leaves behind.
bool is_atomic_temp_name(std::string_view name);

// Deletes the plain files of that name form in a folder of the program folder and in every folder
// below it (the folders made for one forward's attachments, the stores' record folders), but for
// those of a process that still runs (a mail component that outlived a killed program and is writing
// its ledger, say). No symbolic link is followed: a folder reached through one, or the folder itself
// when a link stands in its place, is left alone. This process's own number counts as ended: the
// sweep runs at the start, before the process writes anything.
void remove_atomic_temp_files(std::string_view folder);

}  // namespace tv::files
