#include "common/summary_record.h"

#include "common/sjis.h"
#include "common/text_file.h"

namespace tv {

std::string SUMMARY_RECORD_NAME(std::string_view mail_file_name) {
    std::string name = trim(mail_file_name);
    std::size_t dot = find_last_char(name, '.');
    if (dot != std::string::npos) name.resize(dot);
    return name + ".dxd";
}

std::string CLEAN_SENDER_LINE(std::string_view s) {
    std::string line(s);
    std::size_t lt = line.rfind('<');
    bool split = lt != std::string::npos && line.find('>') != std::string::npos;
    // A last "<" at byte 1 or 2 leaves no name part: the line stays unsplit.
    if (split && lt >= 2) {
        std::size_t p = lt + 1;                    // 1-based position of the last "<"
        std::string_view name(line.data(), p - 2);  // bytes 1 .. p-2
        std::string address = line.substr(p - 2);   // bytes p-1 .. end
        std::string cleaned;
        for (std::size_t i = 1; i <= name.size(); ++i) {
            char c = name[i - 1];
            if (c == '"') {
                if (i == 7 || i == name.size()) continue;
                cleaned += '\xA5';
            } else if (c == ',') {
                cleaned += '.';
            } else {
                cleaned += c;
            }
        }
        if (cleaned.find("\\(") != std::string::npos || cleaned.find("\\)") != std::string::npos) {
            line = "FROM: " + trim(address);
        } else {
            line = cleaned + address;
        }
    }
    std::erase(line, '"');
    return line;
}

std::string without_parenthesis_escapes(std::string_view sender) {
    bool escaped = false;
    for (std::size_t i = 0; i < sender.size() && !escaped; i += char_length(sender, i)) {
        escaped = sender[i] == '\\' && i + 1 < sender.size() && (sender[i + 1] == '(' || sender[i + 1] == ')');
    }
    if (!escaped) return std::string(sender);
    std::string out;
    for (std::size_t i = 0; i < sender.size(); i += char_length(sender, i)) {
        if (sender[i] != '\\') out.append(sender.substr(i, char_length(sender, i)));
    }
    return out;
}

std::string CLEAN_SUBJECT_LINE(std::string_view t) {
    std::string out;
    for (std::size_t i = 1; i <= t.size(); ++i) {
        char c = t[i - 1];
        if (c == '"') {
            if (i == 10 || i == t.size()) continue;
            out += '\xA5';
        } else if (c == ',') {
            continue;
        } else {
            out += c;
        }
    }
    return out;
}

std::string summary_record_line(std::string_view date, std::string_view sender, std::string_view subject,
                                 std::string_view flag) {
    std::string clean_date(date);
    std::erase(clean_date, '"');
    std::string line;
    line.reserve(date.size() + sender.size() + subject.size() + 12);
    line += '"';
    line += clean_date;
    line += "\",\"";
    line += sender;
    line += "\",\"";
    line += subject;
    line += "\",\"";
    line += flag;
    line += '"';
    return line;
}

SummaryItems summary_items_of(const ParseResult& result) {
    SummaryItems items;
    items.date = result.date_line();
    items.sender = CLEAN_SENDER_LINE(result.sender_line());
    items.subject = CLEAN_SUBJECT_LINE(result.subject_line());
    items.flag = result.attachment_flag();
    items.any = true;
    return items;
}

std::optional<SummaryItems> read_summary_record(std::string_view path) {
    auto data = files::read_bytes(path);
    if (!data) return std::nullopt;
    SummaryItems items;
    files::ItemReader reader(std::move(*data));
    while (!reader.at_end()) {
        items.date = reader.next();
        items.sender = reader.next();
        items.subject = reader.next();
        items.flag = reader.next();
        items.any = true;
    }
    return items;
}

}  // namespace tv
