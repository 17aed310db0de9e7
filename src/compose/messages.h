// The message boxes of composing and replying.
#pragma once

#include <string>

namespace tv::compose {

// Whether the compose window is loaded; when it is, "a mail is being composed" is told: every
// opener of the compose window refuses with it.
bool compose_window_busy(const std::string& owner);

// Whether another window holds the single child-window slot; when one does, the user is told.
bool child_slot_taken(const std::string& form, const std::string& owner);
// Loads `form` into the child-window slot when it is free (else tells the user); true when loaded.
bool load_into_child_slot(const std::string& form, const std::string& owner);

// A file could not be written or deleted: `what` says what did not happen, `path` names the file.
void report_file_error(const std::string& owner, const std::string& what, const std::string& path);

}  // namespace tv::compose
