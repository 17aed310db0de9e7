#include "mail/transfer/addresses.h"

#include "common/sjis.h"
#include "mail/transfer/transfer_error.h"

namespace tv::mail {

using namespace tv::literals;

namespace {

std::string unquote(std::string text) {
    text = trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = trim(text.substr(1, text.size() - 2));
    return text;
}

}  // namespace

Mailbox parse_mailbox(const std::string& text) {
    std::size_t open = find_last_char(text, '<');
    std::size_t close = open == std::string::npos ? std::string::npos : find_first_char(text, '>', open);
    if (open == std::string::npos || close == std::string::npos) return {"", trim(text)};
    return {unquote(text.substr(0, open)), trim(text.substr(open + 1, close - open - 1))};
}

std::vector<Mailbox> parse_recipients(const std::string& text) {
    std::vector<Mailbox> recipients;
    std::size_t open = find_last_char(text, '<');
    if (open != std::string::npos && find_first_char(text, '>', open) != std::string::npos) {
        // One recipient: a name before it that holds another address, or text after it, would be
        // recipients dropped without a word.
        Mailbox mailbox = parse_mailbox(text);
        bool more = find_first_char(mailbox.name, '<') != std::string::npos ||
                    find_first_char(mailbox.name, '@') != std::string::npos ||
                    !is_blank(text.substr(find_first_char(text, '>', open) + 1));
        if (more) throw TransferError(Failure::kRequest, "宛先が正しくありません "_sj + left_whole_chars(text, 200));
        recipients.push_back(std::move(mailbox));
    } else {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t comma = find_first_char(text, ',', start);
            std::string address = trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            if (!address.empty()) recipients.push_back({"", address});
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    if (recipients.empty()) throw TransferError(Failure::kRequest, "宛先がありません"_sj);
    for (const auto& recipient : recipients) {
        if (!is_sendable_address(recipient.address)) {
            throw TransferError(Failure::kRequest, "宛先のアドレスが正しくありません "_sj + recipient.address);
        }
    }
    return recipients;
}

bool is_sendable_address(const std::string& address) {
    std::size_t at = address.rfind('@');
    if (at == std::string::npos || at == 0 || at + 1 == address.size()) return false;
    for (char c : address) {
        auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F || c == '<' || c == '>' || c == ',' || c == '"') return false;
    }
    return true;
}

}  // namespace tv::mail
