#include "common/recipient_line.h"

#include <gmime/gmime.h>

#include <optional>

#include "common/sjis.h"

namespace tv {

using namespace tv::literals;

namespace {

// A part named in a fault is cut so that the message stays one readable line.
constexpr std::size_t kShownPartBytes = 200;

struct LinePart {
    std::string text;  // trimmed
    bool unclosed_quote = false;
};

// The parts of the line between its commas and semicolons, each trimmed, empty ones left out. A
// separator inside double quotes belongs to the quoted name; a backslash there escapes the next
// character. GMime reads a whole list too, but it cannot say which part is wrong, and it stops
// without a word at a semicolon or a part it cannot read.
std::vector<LinePart> line_parts(std::string_view text) {
    std::vector<LinePart> parts;
    bool quoted = false;
    std::size_t start = 0;
    auto close_part = [&](std::size_t end) {
        std::string part = trim(text.substr(start, end - start));
        if (!part.empty()) parts.push_back({std::move(part), quoted});
        start = end + 1;
    };
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = char_length(text, i);
        if (length == 1) {
            char c = text[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (quoted && c == '\\' && i + 1 < text.size()) {
                length += char_length(text, i + 1);
            } else if (!quoted && (c == ',' || c == ';')) {
                close_part(i);
            }
        }
        i += length;
    }
    close_part(text.size());
    return parts;
}

void init_gmime() {
    static const bool done = [] {
        g_mime_init();
        return true;
    }();
    (void)done;
}

// The one mailbox that GMime reads in a part, or nothing when it reads none, several or a group.
std::optional<Recipient> read_part(const std::string& cp932) {
    std::string utf8 = to_utf8(cp932);
    if (utf8.find('\0') != std::string::npos) return std::nullopt;
    init_gmime();
    InternetAddressList* list = internet_address_list_parse(nullptr, utf8.c_str());
    if (!list) return std::nullopt;
    std::optional<Recipient> read;
    InternetAddress* first = internet_address_list_length(list) == 1 ? internet_address_list_get_address(list, 0) : nullptr;
    if (first && INTERNET_ADDRESS_IS_MAILBOX(first)) {
        const char* name = internet_address_get_name(first);
        const char* address = internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(first));
        std::optional<std::string> name_cp932 = from_utf8(name ? name : "");
        if (name_cp932 && address) read = Recipient{trim(*name_cp932), address};
    }
    g_object_unref(list);
    return read;
}

}  // namespace

Recipient read_mailbox(std::string_view text) {
    std::size_t open = find_last_char(text, '<');
    std::size_t close = open == std::string::npos ? std::string::npos : find_first_char(text, '>', open);
    if (close == std::string::npos) return {"", trim(text)};
    std::string name = trim(text.substr(0, open));
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = trim(std::string_view(name).substr(1, name.size() - 2));
    return {name, trim(text.substr(open + 1, close - open - 1))};
}

RecipientLine read_recipient_line(std::string_view text) {
    RecipientLine line;
    for (const LinePart& part : line_parts(text)) {
        std::optional<Recipient> recipient = part.unclosed_quote ? std::nullopt : read_part(part.text);
        if (!recipient) {
            line.fault = "宛先が正しくありません "_sj + left_whole_chars(part.text, kShownPartBytes);
        } else if (!is_sendable_address(recipient->address)) {
            line.fault = "宛先のアドレスが正しくありません "_sj + left_whole_chars(part.text, kShownPartBytes);
        } else {
            line.recipients.push_back(std::move(*recipient));
            continue;
        }
        line.recipients.clear();
        return line;
    }
    if (line.recipients.empty()) line.fault = "宛先がありません"_sj;
    return line;
}

bool is_sendable_address(std::string_view address) {
    std::size_t at = address.rfind('@');
    if (at == std::string::npos || at == 0 || at + 1 == address.size()) return false;
    for (char c : address) {
        auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F || c == '<' || c == '>' || c == ',' || c == '"') return false;
    }
    return true;
}

}  // namespace tv
