#include "common/answering_settings.h"

#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv {

namespace {

constexpr std::size_t kFieldsLength = 790;
constexpr std::size_t kMaxCheckLines = 999;

bool flag_on(std::string_view field) { return numeric_value(field) == 1; }

}  // namespace

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
    record.append(kSettingsRecordLength - kFieldsLength, '\0');
    return record;
}

SettingsFields default_answering_settings() {
    return SettingsFields{"300", "", "0", "1", "1", "-1", "", "0", "0", "0", "0"};
}

void write_answering_settings(const SettingsFields& values) {
    files::write_record_field(kSettingsFile, kSettingsRecordLength, 1, 0, answering_settings_record(values));
}

SettingsReadout load_answering_settings(SettingsReader reader) {
    Globals& g = globals();
    if (reader == SettingsReader::StartUp) g.CHECK_INTERVAL = 300;
    if (reader == SettingsReader::SettingsWindow && !files::file_exists(kSettingsFile)) {
        files::write_bytes(kSettingsFile, "");
    }
    SettingsReadout out;
    SettingsFields fields = default_answering_settings();
    if (auto stored = read_answering_settings()) {
        fields = *stored;
        out.had_record = true;
    } else {
        g.CHECK_INTERVAL = 300;
    }
    out.interval_text = trim(fields[kInterval]);
    out.reply_text_index = fields[kReplyTextIndex];
    g.REPLY_TEXT_FILE = fields[kReplyTextFile];
    if (numeric_value(out.interval_text) < 60) out.interval_text = "300";
    for (int allowed : {60, 180, 300, 600}) {
        if (out.interval_text == std::to_string(allowed)) g.CHECK_INTERVAL = allowed;
    }
    g.FORWARD_ADDRESS = trim(fields[kForwardAddress]);
    g.FORWARD_SPAM_FILTER = flag_on(fields[kForwardSpamFilter]) ? "1" : "0";
    g.FORWARD_STOPPED = fields[kForwardStopped];
    g.REPLY_STOPPED = fields[kReplyStopped];
    g.REPLY_ONLY_SPECIFIC = fields[kReplyOnlySpecific];
    g.FORWARD_ONLY_SPECIFIC = fields[kForwardOnlySpecific];
    g.FORWARD_ATTACHMENTS = fields[kForwardAttachments];
    g.REPLY_SPAM_FILTER = fields[kReplySpamFilter];
    g.FORWARD_SWITCH_CLICKS = flag_on(g.FORWARD_STOPPED) ? 2 : 3;
    g.REPLY_SWITCH_CLICKS = flag_on(g.REPLY_STOPPED) ? 2 : 3;
    return out;
}

std::vector<std::string> read_spam_words_for_window() {
    std::vector<std::string> words;
    for (auto& line : files::read_lines(kSpamWordFile).value_or(std::vector<std::string>{})) {
        if (!is_blank(line)) words.push_back(std::move(line));
    }
    return words;
}

std::vector<std::string> read_spam_words_for_check() {
    auto lines = files::read_lines(kSpamWordFile).value_or(std::vector<std::string>{});
    if (lines.size() > kMaxCheckLines) lines.resize(kMaxCheckLines);
    for (auto& line : lines) line = trim(line);
    return lines;
}

void write_spam_words(const std::vector<std::string>& words) { files::write_lines(kSpamWordFile, words); }

}  // namespace tv
