#include "common/recipient_line.h"

#include <algorithm>

#include "common/sjis.h"

namespace tv {

using namespace tv::literals;

namespace {

bool quoted(std::string_view text) { return text.size() >= 2 && text.front() == '"' && text.back() == '"'; }

std::string unquote(std::string_view text) {
    std::string trimmed = trim(text);
    return quoted(trimmed) ? trim(std::string_view(trimmed).substr(1, trimmed.size() - 2)) : trimmed;
}

// The parts of a text between its commas, each trimmed (empty ones included).
std::vector<std::string> comma_parts(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = find_first_char(text, ',', start);
        parts.push_back(trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

// A name before the bracket that is a list ("a@example.jp, Hanako<h@example.jp>") names recipients
// the line would drop. A single name is a name, whatever it holds: a book stores an address as the
// name when the sender gave none ("plain@example.jp<plain@example.jp>").
bool names_a_list(std::string_view name) {
    std::string trimmed = trim(name);
    if (quoted(trimmed)) return false;
    if (find_first_char(trimmed, '<') != std::string::npos) return true;
    if (find_first_char(trimmed, ',') == std::string::npos) return false;
    std::vector<std::string> parts = comma_parts(trimmed);
    return std::any_of(parts.begin(), parts.end(), [](const std::string& part) { return is_sendable_address(part); });
}

}  // namespace

Recipient read_mailbox(std::string_view text) {
    std::size_t open = find_last_char(text, '<');
    std::size_t close = open == std::string::npos ? std::string::npos : find_first_char(text, '>', open);
    if (close == std::string::npos) return {"", trim(text)};
    return {unquote(text.substr(0, open)), trim(text.substr(open + 1, close - open - 1))};
}

RecipientLine read_recipient_line(std::string_view text) {
    RecipientLine line;
    std::size_t open = find_last_char(text, '<');
    std::size_t close = open == std::string::npos ? std::string::npos : find_first_char(text, '>', open);
    if (close != std::string::npos) {
        if (names_a_list(text.substr(0, open)) || !is_blank(text.substr(close + 1))) {
            line.fault = "宛先が正しくありません "_sj + left_whole_chars(text, 200);
            return line;
        }
        line.recipients.push_back(read_mailbox(text));
    } else {
        for (std::string& address : comma_parts(text)) {
            if (!address.empty()) line.recipients.push_back({"", std::move(address)});
        }
    }
    if (line.recipients.empty()) line.fault = "宛先がありません"_sj;
    for (const auto& recipient : line.recipients) {
        if (!line.fault.empty()) break;
        if (!is_sendable_address(recipient.address)) line.fault = "宛先のアドレスが正しくありません "_sj + recipient.address;
    }
    if (!line.fault.empty()) line.recipients.clear();
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
