// Header text as encoded words that Japanese phones and mail programs read: B encoding, words of at
// most 75 characters, each holding whole characters and, in ISO-2022-JP, back in ASCII at its end
// (every word is decoded on its own). GMime would write one Q-encoded ISO-2022-JP word of any
// length.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::mail {

// `utf8` (which the charset can hold) in "=?charset?B?...?=" words; none for an empty text.
std::vector<std::string> encoded_words(std::string_view utf8, std::string_view charset);

// The words joined for a header value in GMime's raw form: each on a line of its own, the lines
// after the first begun by `fold` (LF and a blank).
std::string folded_words(const std::vector<std::string>& words, std::string_view fold = "\n ");

}  // namespace tv::mail
