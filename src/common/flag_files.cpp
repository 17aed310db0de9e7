#include "common/flag_files.h"

#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv {

std::string read_flag_record(std::string_view path) {
    if (!files::file_exists(path)) return "0";
    auto record = files::read_record(path, kFlagRecordLength, 1);
    if (!record) return "0";
    return trim(left_bytes(*record, kFlagFieldWidth));
}

std::string open_flag_record(std::string_view path) {
    if (!files::file_exists(path)) files::write_bytes(path, "");
    return read_flag_record(path);
}

void write_flag_record(std::string_view path, std::string_view value) {
    // The whole record is written from a zero-filled buffer: the value, blank-padded to its field,
    // then zero bytes, whatever the file held there before.
    std::string record(kFlagRecordLength, '\0');
    std::string field(value.substr(0, kFlagFieldWidth));
    field.append(kFlagFieldWidth - field.size(), ' ');
    record.replace(0, kFlagFieldWidth, field);
    files::write_record_field(path, kFlagRecordLength, 1, 0, record);
}

std::string read_last_line_value(std::string_view path) {
    if (!files::file_exists(path)) return "0";
    auto lines = files::read_lines(path);
    if (!lines || lines->empty()) return "";
    return trim(lines->back());
}

}  // namespace tv
