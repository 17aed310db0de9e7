// The File menu's option items over every state their files can be in.
#include <gtest/gtest.h>

#include <optional>

#include "common/globals.h"
#include "harness/harness.h"
#include "platform/forms.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

std::string flag_record(const std::string& value) {
    std::string record = value + std::string(20 - value.size(), ' ');
    return record + std::string(236, '\0');
}

struct Option {
    const char* item;
    const char* file;
    std::string Globals::*global;
    bool text_line;
};
const Option kServ{"serv", "SYSTEM_F\\serv_del", &Globals::KEEP_ON_SERVER, true};
const Option kSinai{"SINAI", "SYSTEM_F\\GOMI_I", &Globals::NO_TRASH_CONFIRM, false};
const Option kKara{"KARA", "SYSTEM_F\\GOMI_K", &Globals::EMPTY_TRASH_AT_EXIT, false};
const Option kSound{"SOUND", "SYSTEM_F\\SOUND_K", &Globals::ARRIVAL_SOUND, false};

TEST(OptionItems, AClickSwitchesWhatTheFileHolds) {
    struct Case {
        const char* name;
        const Option& option;
        std::optional<std::string> before;  // nullopt: no file
        std::string after;                  // the file afterwards
        std::string global;
        bool checked;
        std::string box;  // title of the box shown, empty for none
    };
    const std::string on = "メールサーバからメールを削除しない !"_sj, off = "メールサーバからメールを削除する !"_sj;
    std::vector<Case> cases{
        {"flag missing", kSinai, std::nullopt, flag_record("1"), "1", true, ""},
        {"flag empty", kKara, "", flag_record("1"), "1", true, ""},
        {"flag on", kSound, flag_record("1"), flag_record("0"), "0", false, ""},
        {"flag off", kSinai, flag_record("0"), flag_record("1"), "1", true, ""},
        {"flag 2 stays", kKara, flag_record("2"), flag_record("2"), "2", false, ""},
        // The whole first record is written anew from zero bytes; the file is not cut.
        {"flag record rewritten whole", kSound, "0" + std::string(19, ' ') + std::string(236, 'x') + "tail",
         flag_record("1") + "tail", "1", true, ""},
        {"serv missing", kServ, std::nullopt, "1\r\n", "1", true, on},
        {"serv on", kServ, "1\r\n", "0\r\n", "0", false, off},
        {"serv last line wins", kServ, "1\r\n0\r\n", "1\r\n", "1", true, on},
        {"serv blank last line", kServ, "1\r\n  \r\n", "1\r\n", "1", true, on},
        {"serv empty", kServ, "", "1\r\n", "1", true, on},
        {"serv 2 stays", kServ, "0\r\n2\r\n", "0\r\n2\r\n", "2", false, ""},
    };
    for (const auto& c : cases) {
        test::Harness h;
        ASSERT_TRUE(h.start());
        h.boxes().clear();
        if (c.before) h.write(c.option.file, *c.before);
        h.click("MAINFORM", c.option.item);
        EXPECT_EQ(h.read(c.option.file), c.after) << c.name;
        EXPECT_EQ(globals().*c.option.global, c.global) << c.name;
        EXPECT_EQ(pf::form("MAINFORM").control(c.option.item).checked, c.checked) << c.name;
        ASSERT_EQ(h.boxes().shown().size(), c.box.empty() ? 0u : 1u) << c.name;
        if (!c.box.empty()) {
            EXPECT_EQ(h.boxes().shown()[0].title, c.box) << c.name;
        }
    }
}

TEST(OptionItems, TheFileNotTheMarkDecides) {
    test::Harness h;
    h.write("SYSTEM_F\\GOMI_K", flag_record("1"));
    ASSERT_TRUE(h.start());
    EXPECT_TRUE(pf::form("MAINFORM").control("KARA").checked);
    h.write("SYSTEM_F\\GOMI_K", flag_record("0"));  // changed while the program runs
    h.click("MAINFORM", "KARA");
    EXPECT_TRUE(pf::form("MAINFORM").control("KARA").checked);
    EXPECT_EQ(globals().EMPTY_TRASH_AT_EXIT, "1");
    h.click("MAINFORM", "KARA");
    EXPECT_EQ(h.read("SYSTEM_F\\GOMI_K"), flag_record("0"));
    EXPECT_FALSE(pf::form("MAINFORM").control("KARA").checked);
}

}  // namespace
}  // namespace tv::shell
