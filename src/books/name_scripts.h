// How much a text looks like the names and addresses of an address book. The same bytes often
// read both as CP932 and as UTF-8; the reading that gives the scripts people write names in wins.
#pragma once

#include <string_view>

namespace tv::books {

// The oddness of a text (UTF-32 code points): 2 for every character no name is written in
// (controls past ASCII, private use, rare scripts, kana or symbols CP932 cannot hold; an ideograph
// is a letter whether CP932 holds it or not), 1 for every letter that stands against a letter of
// another script (half-width katakana beside kanji or Latin letters, accented Latin beside kana,
// kanji beside Latin letters, Cyrillic beside Latin), and 1 for every repeat in a run of
// half-width katakana that repeats one character at every second place (what UTF-8 letters of one
// alphabet read as CP932 look like). Blanks, digits and punctuation part words. 0 for a text that
// reads as names.
int oddness(std::u32string_view text);

}  // namespace tv::books
