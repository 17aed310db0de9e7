// The Desktop folder.
#include <gtest/gtest.h>

#include "common/globals.h"
#include "harness/harness.h"
#include "platform/forms.h"
#include "platform/registry_value.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using pf::desktop_folder_text;
using pf::GETREGDATA;
using pf::kHkeyCurrentUser;
using pf::kRegSz;
using pf::kShellFoldersKey;

TEST(RegistryValue, OnlyTheDesktopFolderIsThere) {
    test::Harness h;
    struct Case {
        const char* name;
        std::string desktop;  // what the system reports (UTF-8)
        std::string subkey, value;
        std::string result;
        std::int32_t type, api_result;
    };
    const std::string folders = kShellFoldersKey;
    std::vector<Case> cases{
        {"desktop", "/home/u/デスクトップ", folders, "Desktop", "/home/u/デスクトップ"_sj, kRegSz, 0},
        {"names are case-blind", "/home/u/Desktop", upper_ascii(folders), "DESKTOP", "/home/u/Desktop", kRegSz, 0},
        {"no desktop folder", "", folders, "Desktop", "", 0, 0},
        {"a name the program's text cannot hold", "/home/u/Bureau-é", folders, "Desktop", "", 0, 0},
        {"another value", "/home/u/Desktop", folders, "Personal", "", 0, 0},
        {"another key", "/home/u/Desktop", "Software\\Other", "Desktop", "", 0, 2},
    };
    for (const auto& c : cases) {
        h.platform.system.desktop = c.desktop;
        std::string result = "stale";
        std::int32_t type = 7;
        GETREGDATA(kHkeyCurrentUser, c.subkey, c.value, result, type);
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(globals().REG_API_RESULT, c.api_result) << c.name;
    }
    h.platform.system.desktop = "/home/u/Desktop";
    EXPECT_EQ(desktop_folder_text(), "/home/u/Desktop");
}

}  // namespace
}  // namespace tv::shell
