#include "compose/recipient_text.h"

#include "common/recipient_line.h"
#include "common/sjis.h"

namespace tv::compose {

namespace {

// Whether the line reads as the one recipient at `address`.
bool reads_as(const std::string& line, std::string_view address) {
    RecipientLine read = read_recipient_line(line);
    return read.recipients.size() == 1 && read.recipients[0].address == address;
}

// The name in double quotes, a double quote or backslash inside it escaped (never the second byte
// of a double-byte character).
std::string quoted(std::string_view name) {
    std::string out = "\"";
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = char_length(name, i);
        if (length == 1 && (name[i] == '"' || name[i] == '\\')) out += '\\';
        out.append(name.substr(i, length));
        i += length;
    }
    return out + "\"";
}

}  // namespace

std::string recipient_text(std::string_view name, std::string_view address) {
    std::string shown;
    for (char c : trim(name)) {
        if (c == ',') {
            shown += '.';
        } else if (c != '<' && c != '>') {
            shown += c;
        }
    }
    shown = trim(shown);
    if (shown.empty()) return std::string(address);
    std::string bracket = "<" + std::string(address) + ">";
    if (reads_as(shown + bracket, address) || !reads_as(quoted(shown) + bracket, address)) return shown + bracket;
    return quoted(shown) + bracket;
}

}  // namespace tv::compose
