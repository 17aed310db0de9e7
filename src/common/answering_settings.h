// AnsweringSettings: the one 2000-byte record of SYSTEM_F\SETTEI\SETTEI_F.txt, eleven
// left-aligned blank-padded fields.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

inline constexpr const char* kSettingsFile = "SYSTEM_F\\SETTEI\\SETTEI_F.txt";
inline constexpr const char* kSettingsSeed = "SYSTEM_F\\SETTEI_O.txt";
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

// The fields as stored (padded to their widths); nullopt when the file is missing or empty.
std::optional<SettingsFields> read_answering_settings(std::string_view path = kSettingsFile);
// The 2000-byte record of the given field values.
std::string answering_settings_record(const SettingsFields& values);
// The values a missing file stands for: interval "300", forwarding and replying stopped,
// reply-text position "-1", every other flag "0", texts blank.
SettingsFields default_answering_settings();

}  // namespace tv
