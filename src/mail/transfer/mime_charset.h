// The charset a Japanese text goes out in: US-ASCII when it is ASCII, ISO-2022-JP where it fits,
// else UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tv::mail {

struct CharsetChoice {
    std::string charset;  // "us-ascii", "iso-2022-jp" or "utf-8"
    std::string utf8;     // the text in UTF-8, in the characters the charset holds
    std::string encoded;  // the text in that charset
};

CharsetChoice choose_charset(std::string_view cp932);

}  // namespace tv::mail
