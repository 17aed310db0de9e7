// AnsweringSettings: the one 2000-byte record of SYSTEM_F\SETTEI\SETTEI_F.txt, eleven
// left-aligned blank-padded fields and 1210 zero bytes; and the spam words SYSTEM_F\TOKUTEI.txt,
// one per line.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

inline constexpr const char* kSettingsFile = "SYSTEM_F\\SETTEI\\SETTEI_F.txt";
inline constexpr const char* kSettingsSeed = "SYSTEM_F\\SETTEI_O.txt";
inline constexpr const char* kSpamWordFile = "SYSTEM_F\\TOKUTEI.txt";
inline constexpr std::size_t kSettingsRecordLength = 2000;
inline constexpr std::array<std::size_t, 11> kSettingsFieldWidths{10, 200, 10, 10, 10, 10, 500, 10, 10, 10, 10};

enum SettingsField {
    kInterval = 0,
    kForwardAddress,
    kForwardSpamFilter,
    kForwardStopped,
    kReplyStopped,
    kReplyTextIndex,
    kReplyTextFile,
    kReplyOnlySpecific,
    kForwardOnlySpecific,
    kForwardAttachments,
    kReplySpamFilter,
};

using SettingsFields = std::array<std::string, 11>;

// The fields as stored (padded to their widths; bytes beyond a short file read as blanks);
// nullopt when the file is missing or empty.
std::optional<SettingsFields> read_answering_settings(std::string_view path = kSettingsFile);
// The 2000-byte record of the given field values: each cut or blank-padded to its width, then
// zero bytes.
std::string answering_settings_record(const SettingsFields& values);
// The values a missing file stands for: interval "300", forwarding and replying stopped,
// reply-text position "-1", every other flag "0", texts blank.
SettingsFields default_answering_settings();
// Writes the record as record 1, creating the file; the file is never shortened.
void write_answering_settings(const SettingsFields& values);

// Who reads the settings into the globals: the start-up (defaults first, a missing file is not
// created) or the settings window (defaults only when there is no record; a missing file is
// created empty).
enum class SettingsReader { StartUp, SettingsWindow };

// What the reading leaves besides the globals.
struct SettingsReadout {
    std::string interval_text;     // trimmed, "300" when its value is below 60
    std::string reply_text_index;  // the stored position of the reply text, its 10 bytes
    bool had_record = false;
};

// Sets CHECK_INTERVAL, FORWARD_ADDRESS, FORWARD_SPAM_FILTER, the stopped flags with their switch
// counters, REPLY_TEXT_FILE and the four option flags from the file.
SettingsReadout load_answering_settings(SettingsReader reader);

// The spam words as the settings window lists them: lines that are not blank, as typed.
std::vector<std::string> read_spam_words_for_window();
// The spam words as a check tests them: the first 999 lines, each trimmed, blank ones kept as
// empty words; none when the file is missing.
std::vector<std::string> read_spam_words_for_check();
// Replaces the file with one line per word; no word leaves an empty file.
void write_spam_words(const std::vector<std::string>& words);

}  // namespace tv
