#include "viewer/print_lines.h"

#include "common/sjis.h"
#include "platform/events.h"
#include "platform/forms.h"

namespace tv::viewer {

namespace pf = tv::platform;

std::vector<std::string> print_items(std::string_view body) {
    std::string text = std::string(body) + "\r\n";
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 1)) {
        // The first item ends before its CR; every further one runs from the LF before it to its CR.
        items.push_back(items.empty() ? text.substr(0, at) : text.substr(start, at + 1 - start));
        start = at + 1;
    }
    return items;
}

std::string printed_line(std::string_view item, bool first) {
    std::string_view line = item.substr(0, item.find('\r'));
    if (!first && !line.empty()) line.remove_prefix(1);
    return std::string(line);
}

std::vector<std::string> print_rows(std::string_view line, int columns, std::string_view indent) {
    std::vector<std::string> rows(1);
    auto limit = static_cast<std::size_t>(columns);
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '\n') {
            std::size_t column = rows.back().size();
            rows.emplace_back(column < limit || columns <= 0 ? column : indent.size(), ' ');
            ++i;
            continue;
        }
        std::size_t length = char_length(line, i);
        // Bytes are columns: the print font's full-width characters are two half-widths wide.
        if (columns > 0 && rows.back().size() + length > limit && rows.back().size() > indent.size()) {
            rows.emplace_back(indent);
        }
        rows.back().append(line.substr(i, length));
        i += length;
    }
    return rows;
}

void EDIT8_CHANGE() {
    if (!pf::forms().is_loaded("FORM3")) return;
    pf::Form& f = pf::form("FORM3");
    f.control("LIST23").set_items(print_items(f.control("EDIT8").text));
    pf::EVENT_PUMP();
    if (pf::forms().is_loaded("FORM3")) pf::form("FORM3").set_focus("EDIT8");
}

}  // namespace tv::viewer
