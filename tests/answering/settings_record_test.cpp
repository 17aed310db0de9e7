// The answering settings record and the spam words, as the start-up and the settings window read
// them and as the settings window writes them.
#include <gtest/gtest.h>

#include "common/answering_settings.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "harness/harness.h"

namespace tv {
namespace {

using namespace tv::literals;

struct Read {
    int interval;
    std::string interval_text;
    std::string forward_address;
    std::string forward_spam;
    int forward_clicks;
    int reply_clicks;
};

Read read_back(SettingsReader reader) {
    SettingsReadout out = load_answering_settings(reader);
    const Globals& g = globals();
    return {g.CHECK_INTERVAL, out.interval_text, g.FORWARD_ADDRESS, g.FORWARD_SPAM_FILTER, g.FORWARD_SWITCH_CLICKS,
            g.REPLY_SWITCH_CLICKS};
}

SettingsFields fields(std::string interval, std::string stopped, std::string spam = "0") {
    SettingsFields f = default_answering_settings();
    f[kInterval] = std::move(interval);
    f[kForwardStopped] = stopped;
    f[kReplyStopped] = stopped;
    f[kForwardSpamFilter] = std::move(spam);
    return f;
}

TEST(SettingsRecord, StartUpReadingOfEachKindOfFile) {
    struct Case {
        const char* name;
        std::optional<std::string> file;  // nullopt: no file
        Read expected;
    };
    const std::string blank_record(2000, ' ');
    std::vector<Case> cases{
        {"no file", std::nullopt, {300, "300", "", "0", 2, 2}},
        {"empty file", "", {300, "300", "", "0", 2, 2}},
        // A blank stopped field is off: unlike a missing file, both switches run.
        {"blank record", blank_record, {300, "300", "", "0", 3, 3}},
        {"interval 59", answering_settings_record(fields("59", "1")), {300, "300", "", "0", 2, 2}},
        {"interval abc", answering_settings_record(fields("abc", "1")), {300, "300", "", "0", 2, 2}},
        {"interval 120", answering_settings_record(fields("120", "1")), {300, "120", "", "0", 2, 2}},
        {"interval 60", answering_settings_record(fields(" 60", "0", "1")), {60, "60", "", "1", 3, 3}},
        {"stopped ' 1'", answering_settings_record(fields("600", " 1")), {600, "600", "", "0", 2, 2}},
        {"stopped 01", answering_settings_record(fields("180", "01", "01")), {180, "180", "", "1", 2, 2}},
        {"stopped 2", answering_settings_record(fields("180", "2", "2")), {180, "180", "", "0", 3, 3}},
        // A file shorter than its record reads the missing bytes as blanks.
        {"short file", std::string("60        ") + "a@example.jp", {60, "60", "a@example.jp", "0", 3, 3}},
    };
    for (const auto& c : cases) {
        test::Harness h;
        if (c.file) h.write(kSettingsFile, *c.file);
        Read r = read_back(SettingsReader::StartUp);
        EXPECT_EQ(r.interval, c.expected.interval) << c.name;
        EXPECT_EQ(r.interval_text, c.expected.interval_text) << c.name;
        EXPECT_EQ(r.forward_address, c.expected.forward_address) << c.name;
        EXPECT_EQ(r.forward_spam, c.expected.forward_spam) << c.name;
        EXPECT_EQ(r.forward_clicks, c.expected.forward_clicks) << c.name;
        EXPECT_EQ(r.reply_clicks, c.expected.reply_clicks) << c.name;
        EXPECT_EQ(h.exists(kSettingsFile), c.file.has_value()) << c.name;
    }
}

TEST(SettingsRecord, TheWindowCreatesAMissingFileAndKeepsAnIntervalItCannotShow) {
    test::Harness h;
    h.make_folder("SYSTEM_F\\SETTEI");
    globals().CHECK_INTERVAL = 60;
    globals().FORWARD_SWITCH_CLICKS = 5;
    load_answering_settings(SettingsReader::SettingsWindow);
    EXPECT_EQ(h.read(kSettingsFile), "");
    EXPECT_EQ(globals().CHECK_INTERVAL, 300);  // no record: the defaults
    EXPECT_EQ(globals().FORWARD_SWITCH_CLICKS, 2);

    h.write(kSettingsFile, answering_settings_record(fields("120", "0")));
    globals().CHECK_INTERVAL = 60;
    EXPECT_EQ(load_answering_settings(SettingsReader::SettingsWindow).interval_text, "120");
    EXPECT_EQ(globals().CHECK_INTERVAL, 60);
}

TEST(SettingsRecord, TheWriterPadsCutsEndsInZeroBytesAndNeverShortens) {
    test::Harness h;
    SettingsFields f = default_answering_settings();
    f[kForwardAddress] = std::string(195, 'a') + "@example.jp";
    f[kReplyTextFile] = "お礼.txt"_sj;
    h.write(kSettingsFile, std::string(2500, 'x'));
    write_answering_settings(f);
    std::string stored = h.read(kSettingsFile);
    ASSERT_EQ(stored.size(), 2500u);
    EXPECT_EQ(stored.substr(0, 10), "300       ");
    EXPECT_EQ(stored.substr(10, 200), std::string(195, 'a') + "@exam");
    EXPECT_EQ(stored.substr(240, 10), "-1        ");
    EXPECT_EQ(stored.substr(250, 8), "お礼.txt"_sj);
    EXPECT_EQ(stored.substr(790, 1210), std::string(1210, '\0'));
    EXPECT_EQ(stored.substr(2000), std::string(500, 'x'));
    // Read back, the flags and the name are whole again.
    load_answering_settings(SettingsReader::StartUp);
    EXPECT_EQ(trim(globals().REPLY_TEXT_FILE), "お礼.txt"_sj);
    EXPECT_EQ(globals().FORWARD_ADDRESS.size(), 200u);
}

TEST(SpamWords, TheWindowListsWordsAsTypedAndTheCheckTakes999TrimmedLines) {
    test::Harness h;
    EXPECT_TRUE(read_spam_words_for_check().empty());
    std::vector<std::string> lines{" 出会い "_sj, "", "\x81\x40", "casino"};
    for (int i = 0; i < 1001; ++i) lines.push_back("w" + std::to_string(i));
    h.write_lines(kSpamWordFile, lines);
    auto window = read_spam_words_for_window();
    EXPECT_EQ(window[0], " 出会い "_sj);
    EXPECT_EQ(window[1], "casino");
    EXPECT_EQ(window.size(), 1003u);
    auto check = read_spam_words_for_check();
    ASSERT_EQ(check.size(), 999u);
    EXPECT_EQ(check[0], "出会い"_sj);
    EXPECT_EQ(check[1], "");  // blank lines keep their places
    EXPECT_EQ(check[2], "");
    EXPECT_EQ(check[998], "w994");
    write_spam_words({});
    EXPECT_EQ(h.read(kSpamWordFile), "");
}

}  // namespace
}  // namespace tv
