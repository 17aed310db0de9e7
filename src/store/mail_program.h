// Opening a stored mail in the desktop's mail program: a copy of it in SYSTEM_F\DUSEACT under its
// base name with ".eml", handed to the desktop. The copies are deleted at exit.
#pragma once

#include <string>
#include <string_view>

namespace tv::store {

inline constexpr const char* kMailCopyFolder = "SYSTEM_F\\DUSEACT";

// SYSTEM_F\DUSEACT\ + the mail's file name without the part from its last "." + ".eml".
std::string mail_copy_path(std::string_view mail_path);

// Copies the mail (replacing an earlier copy), pauses 20 ms and opens the copy. A missing mail (no
// earlier copy is opened in its place), a failed copy or a copy no program opens is told in a
// message owned by `owner`, and false is returned.
bool open_in_mail_program(const std::string& mail_path, const std::string& owner);

}  // namespace tv::store
