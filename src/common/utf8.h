// The one rule of well-formed UTF-8 (RFC 3629): no over-long form, no surrogate, nothing past
// U+10FFFF. glibc's iconv reads code points up to 0x7FFFFFFF from UTF-8 (lead bytes F5-FD, five-
// and six-byte forms) and writes them back into UTF-8 unchanged, so every check and every
// conversion from UTF-8 goes by this rule rather than by iconv's.
#pragma once

#include <cstddef>
#include <string_view>

namespace tv {

// The length of the well-formed character at the start of `s`, or 0 where none begins there.
std::size_t utf8_char_length(std::string_view s);

// The length of the longest well-formed start of `s` (s.size() for well-formed text).
std::size_t utf8_valid_prefix(std::string_view s);

inline bool is_utf8(std::string_view s) { return utf8_valid_prefix(s) == s.size(); }

// The code point of the well-formed character of `length` bytes at the start of `s`.
char32_t utf8_code_point(std::string_view s, std::size_t length);

}  // namespace tv
