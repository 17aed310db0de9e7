#include "common/utf8.h"

#include <cstdint>
#include <cstring>

namespace tv {

namespace {

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the well-formed character at `p`, before `end`, or 0.
inline std::size_t length_at(const unsigned char* p, const unsigned char* end) {
    unsigned char c = *p;
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
    if (static_cast<std::size_t>(end - p) < length || p[1] < low || p[1] > high) return 0;
    if (length > 2 && !continuation(p[2])) return 0;
    if (length > 3 && !continuation(p[3])) return 0;
    return length;
}

}  // namespace

std::size_t utf8_char_length(std::string_view s) {
    if (s.empty()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    return length_at(p, p + s.size());
}

std::size_t utf8_valid_prefix(std::string_view s) {
    // The whole text of a mail body passes here, some of it more than once: ASCII is skipped eight
    // bytes at a time, and a character is checked where it stands.
    const auto* const begin = reinterpret_cast<const unsigned char*>(s.data());
    const auto* const end = begin + s.size();
    const auto* p = begin;
    while (p < end) {
        if (*p < 0x80) {
            while (end - p >= 8) {
                std::uint64_t word;
                std::memcpy(&word, p, 8);
                if (word & 0x8080808080808080ull) break;
                p += 8;
            }
            while (p < end && *p < 0x80) ++p;
            continue;
        }
        std::size_t length = length_at(p, end);
        if (length == 0) break;
        p += length;
    }
    return static_cast<std::size_t>(p - begin);
}

char32_t utf8_code_point(std::string_view s, std::size_t length) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    if (length == 1) return p[0];
    char32_t cp = p[0] & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) cp = (cp << 6) | (p[i] & 0x3F);
    return cp;
}

}  // namespace tv
