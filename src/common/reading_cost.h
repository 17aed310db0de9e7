// How likely a text is as what a Japanese user reads and writes: mail, subjects, the names of an
// address book. The same bytes often read in more than one charset (CP932 half-width katakana are
// EUC-JP kanji in pairs, and now and then two-byte UTF-8; EUC-JP kanji are CP932 half-width
// katakana; CP932 kanji can be well-formed UTF-8); the reading that costs least is the likeliest.
#pragma once

#include <string_view>

namespace tv {

// The cost in bits of a text (well-formed UTF-8): each character costs as rare as it is (a kanji
// by how common it is, a half-width katakana by how often it follows the one before it, a letter
// of another script by its alphabet); a word glued to a word of another script, a word of accented
// letters without an ASCII letter, a word of one letter of another script and an ASCII sign glued
// to the end of an ideograph cost more, and so does what no text is written in (controls, private
// use, unassigned code points). ASCII, the same in every reading, costs nothing.
int reading_cost(std::string_view utf8);

}  // namespace tv
