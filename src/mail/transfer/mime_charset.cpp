#include "mail/transfer/mime_charset.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <optional>
#include <utility>

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

// The whole text converted, or nothing when one character does not convert.
std::optional<std::string> convert_strict(const char* to, const char* from, std::string_view text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t in_left = text.size();
    char buffer[4096];
    bool ok = true;
    for (bool flushing = false;;) {
        char* out_ptr = buffer;
        std::size_t out_left = sizeof buffer;
        std::size_t r = flushing ? iconv(cd, nullptr, nullptr, &out_ptr, &out_left)
                                 : iconv(cd, &in, &in_left, &out_ptr, &out_left);
        out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            ok = false;
            break;
        }
        if (flushing) break;
        flushing = true;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
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
    if (auto encoded = convert_strict("ISO-2022-JP", "UTF-8", jis)) return {"iso-2022-jp", jis, *encoded};
    return {"utf-8", utf8, utf8};
}

}  // namespace tv::mail
