// CP932 byte strings: every text inside the program is CP932 bytes, as the files hold it.
// Positions and widths count bytes; helpers that must respect double-byte characters say so.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

// First byte of a double-byte CP932 character.
constexpr bool is_lead_byte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Byte length of the character starting at s[i] (2 for a lead byte with a following byte, else 1).
inline std::size_t char_length(std::string_view s, std::size_t i) {
    return (is_lead_byte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

// Removes half-width blanks (0x20) and full-width blanks (0x81 0x40) at both ends, at character
// boundaries; nothing else.
std::string trim(std::string_view s);
std::string trim_left(std::string_view s);
std::string trim_right(std::string_view s);
bool is_blank(std::string_view s);

// A control byte: 0x00-0x1F and 0x7F. Never the second byte of a double-byte character, so a
// byte-wise test is safe on CP932.
inline bool is_control_byte(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }
bool has_control_byte(std::string_view s);
std::string without_control_bytes(std::string_view s);

// ASCII a-z / A-Z case change that never touches the second byte of a double-byte character.
std::string upper_ascii(std::string_view s);
std::string lower_ascii(std::string_view s);

// Byte cuts with 1-based positions, empty past the end (never an error).
std::string from_byte(std::string_view s, std::size_t k);
std::string left_bytes(std::string_view s, std::size_t n);
std::string mid_bytes(std::string_view s, std::size_t start, std::size_t length);
std::string right_bytes(std::string_view s, std::size_t n);

// Cuts or pads with blanks to exactly `width` bytes. A lead byte left alone at the cut becomes a
// blank, so the column keeps its width and the text stays valid CP932.
std::string fit_width(std::string_view s, std::size_t width);

// The longest start of `s` of at most `n` bytes that ends at a character boundary (no padding).
std::string left_whole_chars(std::string_view s, std::size_t n);
// The shortest end of `s` of at most `n` bytes that begins at a character boundary.
std::string right_whole_chars(std::string_view s, std::size_t n);

// Whether the first `n` bytes of `s`, ASCII upper-cased, equal `upper` (which is upper case).
bool starts_with_upper(std::string_view s, std::string_view upper);

// Last position (0-based) of byte `c` at a character boundary, or npos. Use for backslash and dot,
// which can be the second byte of a double-byte character.
std::size_t find_last_char(std::string_view s, char c);
std::size_t find_first_char(std::string_view s, char c, std::size_t from = 0);
// Whether `part` occurs in `s` beginning on a character, never inside a double-byte one.
bool contains_whole_chars(std::string_view s, std::string_view part);

// CP932 to UTF-8 for display; invalid bytes become U+FFFD, never an error.
std::string to_utf8(std::string_view cp932);

// UTF-8 to CP932; nullopt when the text holds a character CP932 cannot represent (or bad UTF-8).
std::optional<std::string> from_utf8(std::string_view utf8);

// A disk path or name in CP932: nullopt also when its CP932 form would name another file, that is
// when it does not convert back to the same UTF-8 (U+301C and U+2212 come back as U+FF5E and U+FF0D).
std::optional<std::string> path_from_utf8(std::string_view utf8);

// UTF-8 to CP932 with every unrepresentable character replaced by `replacement` (CP932 bytes).
std::string from_utf8_lossy(std::string_view utf8, std::string_view replacement = "?");

// CP932 text of a UTF-8 source literal, converted once per literal and kept.
const std::string& sj(const char* utf8_literal);

namespace literals {
inline const std::string& operator""_sj(const char* s, std::size_t) { return sj(s); }
}  // namespace literals

// Numeric value as the system reads option texts: leading blanks skipped, the number at the start,
// 0 when the text does not start with a number.
long long numeric_value(std::string_view s);

}  // namespace tv
