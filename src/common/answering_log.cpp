#include "common/answering_log.h"

#include <algorithm>

#include "common/answering_files.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv {

namespace {

// An item as the log holds it: a double quote would end its quoted form, so none is kept. The
// reader applies the same rule, so that a record read is the record its rewrite writes (an
// unquoted item, as an older version may have left one, can hold a quote).
std::string without_quotes(std::string item) {
    std::erase(item, '"');
    return item;
}

}  // namespace

std::string answering_log_line(const AnsweringLogItems& items) {
    std::string line;
    for (const auto& item : items) {
        if (!line.empty()) line += ',';
        line += '"' + without_quotes(item) + '"';
    }
    return line;
}

AnsweringLogItems answering_log_items(std::string line) {
    AnsweringLogItems items;
    files::ItemReader reader(std::move(line));
    for (auto& item : items) {
        if (reader.at_end()) break;
        item = without_quotes(reader.next());
    }
    return items;
}

bool same_logged_mail(const AnsweringLogItems& a, const AnsweringLogItems& b) {
    return std::equal(a.begin(), a.begin() + kLogSteps, b.begin());
}

std::vector<AnsweringLogItems> read_answering_log() {
    std::vector<AnsweringLogItems> records;
    for (auto& line : files::read_lines(kAnsweringLog).value_or(std::vector<std::string>{})) {
        AnsweringLogItems items = answering_log_items(std::move(line));
        if (is_blank(items[kLogDate]) && is_blank(items[kLogSender]) && is_blank(items[kLogSubject])) continue;
        records.push_back(std::move(items));
    }
    return records;
}

void append_answering_record(const AnsweringLogItems& items) {
    files::append_lines(kAnsweringLog, {answering_log_line(items)});
}

void edit_answering_log(const std::function<void(std::vector<AnsweringLogItems>&)>& edit) {
    // Read again at every edit: a receive nested in the check may have appended records meanwhile.
    std::vector<AnsweringLogItems> records = read_answering_log();
    edit(records);
    if (records.empty()) {
        files::remove_if_exists(kAnsweringLog);
        return;
    }
    std::vector<std::string> lines;
    for (const auto& items : records) lines.push_back(answering_log_line(items));
    files::write_lines_atomic(kAnsweringLog, lines, 0600);
}

void forget_logged_attachments() {
    if (!files::file_exists(kAnsweringLog)) return;
    bool named = false;
    for (const auto& items : read_answering_log()) named |= !items[kLogAttachments].empty();
    if (!named) return;
    edit_answering_log([](std::vector<AnsweringLogItems>& records) {
        for (auto& items : records) items[kLogAttachments].clear();
    });
}

bool has_mark(std::string_view marks, std::string_view mark) {
    for (std::size_t at = marks.find(mark); at != std::string_view::npos; at = marks.find(mark, at + 1)) {
        std::size_t end = at + mark.size();
        if ((at == 0 || marks[at - 1] == ' ') && (end == marks.size() || marks[end] == ' ')) return true;
    }
    return false;
}

std::string joined_attachment_names(const std::vector<std::string>& names) {
    std::string item;
    for (const auto& name : names) {
        if (!item.empty()) item += '/';
        item += name;
    }
    return item;
}

std::vector<std::string> attachment_names_of(std::string_view item) {
    std::vector<std::string> names;
    // "/" is never the second byte of a CP932 character, so a byte search finds only separators.
    for (std::size_t start = 0; start < item.size();) {
        std::size_t end = std::min(item.find('/', start), item.size());
        if (end > start) names.emplace_back(item.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::string break_line_markers(std::string_view text) {
    std::string out(text);
    for (std::size_t at = out.find(kLineMarker); at != std::string::npos; at = out.find(kLineMarker, at)) {
        out.insert(at + kLineMarker.size() - 1, 1, '_');
    }
    return out;
}

}  // namespace tv
