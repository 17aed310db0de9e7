#include "mail/transfer/mime_charset.h"

#include <array>
#include <utility>

#include "common/charset_converter.h"
#include "common/sjis.h"

namespace tv::mail {

namespace {

// CP932 maps these characters to code points that JIS X 0208 does not have; the JIS forms of
// the same characters (as every Japanese mail program reads them) make the text fit ISO-2022-JP.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kJisForms{{
    {"\xEF\xBD\x9E", "\xE3\x80\x9C"},  // FULLWIDTH TILDE -> WAVE DASH
    {"\xE2\x88\xA5", "\xE2\x80\x96"},  // PARALLEL TO -> DOUBLE VERTICAL LINE
    {"\xEF\xBC\x8D", "\xE2\x88\x92"},  // FULLWIDTH HYPHEN-MINUS -> MINUS SIGN
    {"\xEF\xBF\xA0", "\xC2\xA2"},      // FULLWIDTH CENT SIGN -> CENT SIGN
    {"\xEF\xBF\xA1", "\xC2\xA3"},      // FULLWIDTH POUND SIGN -> POUND SIGN
    {"\xEF\xBF\xA2", "\xC2\xAC"},      // FULLWIDTH NOT SIGN -> NOT SIGN
}};

std::string jis_forms(std::string text) {
    for (const auto& [from, to] : kJisForms) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
            text.replace(at, from.size(), to);
        }
    }
    return text;
}

bool is_ascii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

CharsetChoice choose_charset(std::string_view cp932) {
    std::string utf8 = to_utf8(cp932);
    if (is_ascii(utf8)) return {"us-ascii", utf8, utf8};
    std::string jis = jis_forms(utf8);
    if (auto encoded = charset_converter("UTF-8", "ISO-2022-JP").strict(jis)) return {"iso-2022-jp", jis, *encoded};
    return {"utf-8", utf8, utf8};
}

}  // namespace tv::mail
