// The compose button and the Desktop folder.
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

// A compose window stands in for the one the compose subsystem defines.
void define_compose_window() {
    pf::forms().define("FORM9", [](pf::Form& f) {
        f.width = 944;
        f.height = 692;
    });
}

TEST(ComposeButton, DoesNothingWithoutAComposeWindow) {
    test::Harness h;
    ASSERT_TRUE(h.start());
    h.boxes().clear();
    h.platform.system.component_missing = true;  // not even the component check runs
    h.click("MAINFORM", "BUTTON1");
    EXPECT_FALSE(h.program_ended());
    EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
    EXPECT_FALSE(pf::form("MAINFORM").minimized);
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_TRUE(h.boxes().shown().empty());
}

TEST(ComposeButton, OpensOneComposeWindowAndStepsAside) {
    test::Harness h;
    ASSERT_TRUE(h.start());
    define_compose_window();
    h.boxes().clear();
    pf::Form& main = pf::form("MAINFORM");
    main.topmost = true;
    h.click("MAINFORM", "BUTTON1");
    EXPECT_TRUE(pf::forms().is_loaded("FORM9"));
    EXPECT_TRUE(pf::form("FORM9").visible);
    EXPECT_TRUE(main.minimized);
    EXPECT_FALSE(main.topmost);
    EXPECT_TRUE(h.boxes().shown().empty());

    // A second click (the main window restored meanwhile) only tells the user.
    main.minimized = false;
    h.click("MAINFORM", "BUTTON1");
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_EQ(h.boxes().shown()[0].title, "作成中"_sj);
    EXPECT_EQ(h.boxes().shown()[0].text, "メールの作成中です。     "_sj);
    EXPECT_FALSE(main.minimized);
}

TEST(ComposeButton, AMissingMailComponentEndsTheProgramFirst) {
    test::Harness h;
    ASSERT_TRUE(h.start());
    define_compose_window();
    h.platform.system.component_missing = true;
    h.click("MAINFORM", "BUTTON1");
    EXPECT_TRUE(h.program_ended());
    EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
}

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
