// The one registry value the program reads: the user's Desktop folder, the start folder of file
// dialogs when no last folder is remembered. On Linux it comes from the XDG user folders.
#pragma once

#include <cstdint>
#include <string>

namespace tv::platform {

inline constexpr std::int32_t kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr const char* kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::int32_t kRegSz = 1;

// Reads a value as text with its registry type; empty text and type 0 when there is none. Only
// the Desktop value of the shell folders exists here: the XDG Desktop folder, else ~/Desktop.
void GETREGDATA(std::int32_t root, const std::string& subkey, const std::string& value_name, std::string& result,
                std::int32_t& type);

// What every caller keeps: the Desktop folder (a CP932 path), trimmed; empty when there is none.
std::string desktop_folder_text();

}  // namespace tv::platform
