#include "compose/reply_quote.h"

#include <array>
#include <optional>

#include "common/address_book.h"
#include "common/sjis.h"
#include "compose/recipient_text.h"

namespace tv::compose {

using namespace tv::literals;

namespace {

// Lines of an HTML mail that only lead elsewhere; they are never quoted.
constexpr std::array kLinkPhrases{"こちらから", "はこちら", "こちらのヘルプ", "こちらをクリック", "本文",
                                   "は、こちら", "ヘッダ右上", "ヘッダ情報", "ヘッダ広告", "ヘッダー広告",
                                   "フッタ情報", "トップへ", "上へ戻る"};

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool has_double_byte(std::string_view text, bool count_blank) {
    for (std::size_t i = 0; i < text.size(); i += char_length(text, i)) {
        if (char_length(text, i) == 2 && (count_blank || text.substr(i, 2) != "　"_sj)) return true;
    }
    return false;
}

std::string double_bytes_only(std::string_view text) {
    std::string kept;
    for (std::size_t i = 0; i < text.size(); i += char_length(text, i)) {
        if (char_length(text, i) == 2) kept += text.substr(i, 2);
    }
    return kept;
}

// The quoted text of one line of an HTML mail, or nothing when the line is left out.
std::optional<std::string> html_line(const std::string& line) {
    std::string upper = upper_ascii(line);
    for (const char* phrase : kLinkPhrases) {
        if (contains_whole_chars(line, sj(phrase))) return std::nullopt;
    }
    if (line.starts_with("<!")) return std::nullopt;
    if (line.starts_with("<") && contains(upper, "HTML")) return std::nullopt;
    if (contains_whole_chars(line, "？"_sj)) return std::nullopt;
    if (contains(upper, "HTML")) return line;
    if (!is_blank(line) && !has_double_byte(line, false)) return std::nullopt;
    return double_bytes_only(line);
}

}  // namespace

std::string sender_address(std::string_view from_text) {
    std::size_t open = from_text.rfind('<');
    if (open == std::string_view::npos) return trim(from_text);
    std::string_view inside = from_text.substr(open + 1);
    std::string address = trim(inside.substr(0, inside.find('>')));
    // "Name <" with nothing after it: the whole text is all there is to answer.
    return address.empty() ? trim(from_text) : address;
}

std::string reply_recipient(const std::string& address) {
    auto name = book_name_for(address);
    return recipient_text(name ? *name : std::string(), address);
}

std::vector<std::string> reply_quote(const std::vector<std::string>& body) {
    std::vector<std::string> quote;
    auto add = [&](std::string_view text) { quote.push_back(">" + std::string(text)); };
    if (!body.empty() && contains(upper_ascii(body[0]), "<HTML>")) {
        for (const auto& line : body) {
            if (auto kept = html_line(line)) add(*kept);
        }
        return quote;
    }
    std::size_t from = 0;
    bool after_document = false;
    for (std::size_t i = 0; i < body.size(); ++i) {
        std::string upper = upper_ascii(body[i]);
        if (contains(upper, "DOCTYPE HTML PUBLIC")) after_document = true;
        if (contains(upper, "</HTML>")) from = i + 1;
    }
    // Without a closing tag there is no document to skip: every line is quoted.
    if (!after_document) from = 0;
    for (std::size_t i = from; i < body.size(); ++i) add(body[i]);
    return quote;
}

}  // namespace tv::compose
