#include "common/sjis.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#include "common/charset_converter.h"
#include "common/utf8.h"

namespace tv {

namespace {

bool is_blank_at(std::string_view s, std::size_t i, std::size_t& len) {
    if (s[i] == ' ') {
        len = 1;
        return true;
    }
    if (static_cast<unsigned char>(s[i]) == 0x81 && i + 1 < s.size() &&
        static_cast<unsigned char>(s[i + 1]) == 0x40) {
        len = 2;
        return true;
    }
    len = char_length(s, i);
    return false;
}

// The two conversions every text of the program goes through; the program cannot run without them.
CharsetConverter& required(const char* from, const char* to) {
    CharsetConverter& converter = charset_converter(from, to);
    if (!converter.available()) {
        throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    return converter;
}

CharsetConverter& to_utf8_converter() {
    static CharsetConverter& c = required("CP932", "UTF-8");
    return c;
}
CharsetConverter& from_utf8_converter() {
    static CharsetConverter& c = required("UTF-8", "CP932");
    return c;
}

}  // namespace

std::string trim_left(std::string_view s) {
    std::size_t i = 0, len = 0;
    while (i < s.size() && is_blank_at(s, i, len)) i += len;
    return std::string(s.substr(i));
}

std::string trim_right(std::string_view s) {
    std::size_t end = 0, i = 0, len = 0;
    while (i < s.size()) {
        bool blank = is_blank_at(s, i, len);
        i += len;
        if (!blank) end = i;
    }
    return std::string(s.substr(0, end));
}

std::string trim(std::string_view s) { return trim_right(trim_left(s)); }

bool is_blank(std::string_view s) {
    std::size_t i = 0, len = 0;
    while (i < s.size()) {
        if (!is_blank_at(s, i, len)) return false;
        i += len;
    }
    return true;
}

bool has_control_byte(std::string_view s) { return std::any_of(s.begin(), s.end(), is_control_byte); }

std::string without_control_bytes(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (!is_control_byte(c)) out.push_back(c);
    }
    return out;
}

std::string upper_ascii(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size();) {
        std::size_t len = char_length(out, i);
        if (len == 1 && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
        i += len;
    }
    return out;
}

std::string lower_ascii(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size();) {
        std::size_t len = char_length(out, i);
        if (len == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
        i += len;
    }
    return out;
}

std::string from_byte(std::string_view s, std::size_t k) {
    if (k == 0) k = 1;
    if (k > s.size()) return {};
    return std::string(s.substr(k - 1));
}

std::string left_bytes(std::string_view s, std::size_t n) { return std::string(s.substr(0, n)); }

std::string mid_bytes(std::string_view s, std::size_t start, std::size_t length) {
    if (start == 0) start = 1;
    if (start > s.size()) return {};
    return std::string(s.substr(start - 1, length));
}

std::string right_bytes(std::string_view s, std::size_t n) {
    return n >= s.size() ? std::string(s) : std::string(s.substr(s.size() - n));
}

std::string fit_width(std::string_view s, std::size_t width) {
    std::string out;
    out.reserve(width);
    std::size_t i = 0;
    while (i < s.size() && out.size() < width) {
        std::size_t len = char_length(s, i);
        if (out.size() + len > width) break;  // a double-byte character does not fit: blank below
        if (len == 1 && is_lead_byte(static_cast<unsigned char>(s[i]))) break;  // lone lead byte at the end
        out.append(s.substr(i, len));
        i += len;
    }
    out.append(width - out.size(), ' ');
    return out;
}

std::string left_whole_chars(std::string_view s, std::size_t n) {
    if (s.size() <= n) return std::string(s);
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t len = char_length(s, i);
        if (i + len > n) break;
        i += len;
    }
    return std::string(s.substr(0, i));
}

std::string right_whole_chars(std::string_view s, std::size_t n) {
    if (s.size() <= n) return std::string(s);
    std::size_t i = 0;
    while (i < s.size() && s.size() - i > n) i += char_length(s, i);
    return std::string(s.substr(i));
}

bool starts_with_upper(std::string_view s, std::string_view upper) {
    if (s.size() < upper.size()) return false;
    return upper_ascii(s.substr(0, upper.size())) == upper;
}

std::size_t find_last_char(std::string_view s, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t len = char_length(s, i);
        if (len == 1 && s[i] == c) found = i;
        i += len;
    }
    return found;
}

std::size_t find_first_char(std::string_view s, char c, std::size_t from) {
    for (std::size_t i = 0; i < s.size();) {
        std::size_t len = char_length(s, i);
        if (i >= from && len == 1 && s[i] == c) return i;
        i += len;
    }
    return std::string_view::npos;
}

bool contains_whole_chars(std::string_view s, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= s.size(); i += char_length(s, i)) {
        if (s.compare(i, part.size(), part) == 0) return true;
    }
    return false;
}

std::string to_utf8(std::string_view cp932) { return to_utf8_converter().substituting(cp932, "\xEF\xBF\xBD"); }

std::optional<std::string> from_utf8(std::string_view utf8) { return from_utf8_converter().strict(utf8); }

std::optional<std::string> path_from_utf8(std::string_view utf8) {
    auto cp932 = from_utf8(utf8);
    if (!cp932 || to_utf8(*cp932) != utf8) return std::nullopt;
    return cp932;
}

std::string from_utf8_lossy(std::string_view utf8, std::string_view replacement) {
    // A character CP932 lacks is one replacement; every byte of what is not UTF-8 is one.
    return from_utf8_converter().substituting(utf8, replacement, [](std::string_view rest) {
        return std::max<std::size_t>(1, utf8_char_length(rest));
    });
}

const std::string& sj(const char* utf8_literal) {
    static std::mutex mutex;
    static std::unordered_map<const char*, std::string> cache;
    std::lock_guard lock(mutex);
    auto it = cache.find(utf8_literal);
    if (it == cache.end()) {
        auto converted = from_utf8(utf8_literal);
        if (!converted) throw std::logic_error(std::string("literal not representable in CP932: ") + utf8_literal);
        it = cache.emplace(utf8_literal, std::move(*converted)).first;
    }
    return it->second;
}

long long numeric_value(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    long long value = 0;
    bool any = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        if (value < 100000000000000000LL) value = value * 10 + (s[i] - '0');
        ++i;
        any = true;
    }
    if (!any) return 0;
    return negative ? -value : value;
}

}  // namespace tv
