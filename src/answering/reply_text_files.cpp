#include "answering/reply_text_files.h"

#include <cstdint>

#include "common/answering_files.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "common/width_conversion.h"

namespace tv::answering {

namespace {
constexpr std::size_t kNameBytes = 90;
}  // namespace

std::vector<std::string> list_reply_texts() { return files::list_folder_files(kReplyTextFolder); }

std::string reply_text_full_width(std::string_view text) { return TO_FULL_WIDTH(text, kReplyTextNameRules); }

std::string reply_text_file_name(const std::string& typed) {
    return trim(left_whole_chars(reply_text_full_width(trim(typed)), kNameBytes)) + ".txt";
}

std::string reply_text_item_name(const std::string& item) {
    std::size_t dot = find_last_char(item, '.');
    return trim(dot == std::string::npos ? item : item.substr(0, dot));
}

std::string reply_text_path(const std::string& item) { return files::join(kReplyTextFolder, trim(item)); }

std::optional<std::string> read_reply_text(const std::string& item, std::size_t max_lines) {
    std::string path = reply_text_path(item);
    if (trim(item).empty() || !files::file_exists(path)) return std::nullopt;
    // Read whole: a reply text's line may be longer than other files' line bound, and a save
    // writes back what was read.
    auto lines = files::split_lines(files::read_bytes(path).value_or(std::string()), SIZE_MAX);
    if (lines.size() > max_lines) lines.resize(max_lines);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + trim(lines[i]);
    return trim(text);
}

void write_reply_text(const std::string& file_name, const std::vector<std::string>& lines) {
    files::write_lines(files::join(kReplyTextFolder, file_name), lines);
}

}  // namespace tv::answering
