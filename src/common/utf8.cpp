#include "common/utf8.h"

namespace tv {

namespace {

unsigned char byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

std::size_t utf8_char_length(std::string_view s) {
    if (s.empty()) return 0;
    unsigned char c = byte(s, 0);
    if (c < 0x80) return 1;
    // The second byte's range excludes over-long forms (after E0, F0), surrogates (after ED) and
    // code points past U+10FFFF (after F4); C0, C1 and F5-FF begin nothing.
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length || byte(s, 1) < low || byte(s, 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!continuation(byte(s, i))) return 0;
    }
    return length;
}

std::size_t utf8_valid_prefix(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        if (byte(s, i) < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = utf8_char_length(s.substr(i));
        if (length == 0) return i;
        i += length;
    }
    return i;
}

char32_t utf8_code_point(std::string_view s, std::size_t length) {
    auto c = static_cast<char32_t>(byte(s, 0));
    if (length == 1) return c;
    char32_t cp = c & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) cp = (cp << 6) | (byte(s, i) & 0x3F);
    return cp;
}

}  // namespace tv
