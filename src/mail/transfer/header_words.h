// Header text as encoded words that Japanese phones and mail programs read: B encoding, words of at
// most 75 characters, each holding whole characters and, in ISO-2022-JP, back in ASCII at its end
// (every word is decoded on its own). GMime would write one Q-encoded ISO-2022-JP word of any
// length.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::mail {

// The longest encoded word (RFC 2047), and the longest header line that stays unfolded (RFC 5322).
inline constexpr std::size_t kMaxWordLength = 75;
inline constexpr std::size_t kMaxHeaderLine = 78;

// `utf8` (which the charset can hold) in "=?charset?B?...?=" words; none for an empty text. The
// first word is at most `first_word_room` characters long, so that it fits on the header's own
// line beside the header name.
std::vector<std::string> encoded_words(std::string_view utf8, std::string_view charset,
                                       std::size_t first_word_room = kMaxWordLength);

// The words joined for a header value in GMime's raw form: each on a line of its own, the lines
// after the first begun by `fold` (LF and a blank).
std::string folded_words(const std::vector<std::string>& words, std::string_view fold = "\n ");

}  // namespace tv::mail
