#include "platform/registry_value.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/platform.h"

namespace tv::platform {

namespace {
constexpr std::int32_t kFileNotFound = 2;
}  // namespace

void GETREGDATA(std::int32_t root, const std::string& subkey, const std::string& value_name, std::string& result,
                std::int32_t& type) {
    bool shell_folders = root == kHkeyCurrentUser && upper_ascii(subkey) == upper_ascii(kShellFoldersKey);
    globals().REG_API_RESULT = shell_folders ? 0 : kFileNotFound;
    type = 0;
    result.clear();
    if (!shell_folders || upper_ascii(value_name) != "DESKTOP") return;
    auto* system = services().system;
    std::string folder = system ? system->desktop_folder() : std::string();
    if (folder.empty()) return;
    // A folder whose name the program's text cannot hold (or holds as another name) counts as none.
    auto text = path_from_utf8(folder);
    if (!text) return;
    result = *text;
    type = kRegSz;
}

std::string desktop_folder_text() {
    std::string folder;
    std::int32_t type = 0;
    GETREGDATA(kHkeyCurrentUser, kShellFoldersKey, "Desktop", folder, type);
    return trim(folder);
}

}  // namespace tv::platform
