#include "common/answering_settings.h"

#include "common/text_file.h"

namespace tv {

std::optional<SettingsFields> read_answering_settings(std::string_view path) {
    auto record = files::read_record(path, kSettingsRecordLength, 1);
    if (!record) return std::nullopt;
    record->resize(kSettingsRecordLength, ' ');
    SettingsFields fields;
    std::size_t at = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i] = record->substr(at, kSettingsFieldWidths[i]);
        at += kSettingsFieldWidths[i];
    }
    return fields;
}

std::string answering_settings_record(const SettingsFields& values) {
    std::string record;
    record.reserve(kSettingsRecordLength);
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string field = values[i].substr(0, kSettingsFieldWidths[i]);
        field.append(kSettingsFieldWidths[i] - field.size(), ' ');
        record += field;
    }
    record.append(kSettingsRecordLength - record.size(), ' ');
    return record;
}

SettingsFields default_answering_settings() {
    return SettingsFields{"300", "", "0", "1", "1", "-1", "", "0", "0", "0", "0"};
}

}  // namespace tv
