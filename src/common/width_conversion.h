// Full-width and half-width conversion of CP932 text, as the list columns show it.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Where the full-width conversions of the system part.
struct FullWidthRules {
    bool voiced_u;          // a voiced mark joins "ｳ" too ("ｳﾞ" becomes "ヴ")
    bool blank_for_del_nbsp;  // 0x7F and 0xA0 become the full-width blank; else "■"
};
// The list columns' and the .eml name's: voiced marks join ｶ-ﾄ and ﾊ-ﾎ only; 0x7F and 0xA0 blank.
inline constexpr FullWidthRules kColumnWidthRules{false, true};
// The reply-text name's: a voiced mark joins every kana that takes one; 0x7F and 0xA0 are "■".
inline constexpr FullWidthRules kReplyTextNameRules{true, false};

// ASCII 0x20-0x7E to their full-width forms, 0x7F and 0xA0 as the rules say; half-width katakana
// to full-width (a following voiced or semi-voiced mark joins the kana where it can); double-byte
// characters copied; every other byte (control bytes, 0x80, 0xFD-0xFF, a lead byte ending the
// text) to "■".
std::string TO_FULL_WIDTH(std::string_view text, const FullWidthRules& rules = kColumnWidthRules);

// Full-width forms of ASCII and katakana with a half-width form back to single bytes (voiced and
// semi-voiced kana to the kana and its mark); everything else copied.
std::string TO_HALF_WIDTH(std::string_view text);

// Both, in this order: full-width letters, digits, signs and katakana come out half-width, control
// bytes become "■", everything else is unchanged.
std::string convert_width(std::string_view text);

// A text column of exactly `width` bytes: padded and cut at `width` (also inside a character),
// converted, then padded or cut again (a lead byte left alone at the cut becomes a blank).
std::string fit_column(std::string_view text, std::size_t width);

}  // namespace tv
