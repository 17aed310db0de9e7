// Whether another process holds the lock of a file that two programs share (flock).
#pragma once

#include <string_view>

namespace tv::files {

// True while a process holds `path` locked with flock (another of our own open descriptions
// counts too); false when the file is missing or free. Takes nothing and creates nothing.
bool lock_held_elsewhere(std::string_view path);

}  // namespace tv::files
