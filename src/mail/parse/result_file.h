// Writing a result file so that a reader finds either no file or the whole of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::mail {

// Writes the lines (CR LF after each) under a temporary name in the file's folder and renames
// it into place. The file is transient, so it is not synced to disk: only its appearing whole
// matters. Creates the folder when missing; raises a runtime error on failure.
void replace_file(std::string_view path, const std::vector<std::string>& lines);

}  // namespace tv::mail
