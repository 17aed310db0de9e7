#include "mail/parse/charset.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/charset_converter.h"
#include "common/reading_cost.h"
#include "common/utf8.h"
#include "common/iso2022jp.h"
#include "common/sjis.h"

namespace tv::mail {

namespace {

struct Alias {
    std::string_view label;
    CharsetFamily family;
};

// Labels seen in Japanese mail, by the decoder that reads them as Windows writes them.
constexpr std::array<Alias, 32> kAliases{{
    {"iso-2022-jp", CharsetFamily::Jis},      {"csiso2022jp", CharsetFamily::Jis},
    {"iso-2022-jp-1", CharsetFamily::Jis},    {"iso-2022-jp-3", CharsetFamily::Jis},
    {"iso-2022-jp-ms", CharsetFamily::Jis},   {"cp50220", CharsetFamily::Jis},
    {"cp50221", CharsetFamily::Jis},          {"cp50222", CharsetFamily::Jis},
    {"shift_jis", CharsetFamily::Cp932},      {"shift-jis", CharsetFamily::Cp932},
    {"sjis", CharsetFamily::Cp932},           {"x-sjis", CharsetFamily::Cp932},
    {"ms_kanji", CharsetFamily::Cp932},       {"csshiftjis", CharsetFamily::Cp932},
    {"windows-31j", CharsetFamily::Cp932},    {"cswindows31j", CharsetFamily::Cp932},
    {"cp932", CharsetFamily::Cp932},          {"ms932", CharsetFamily::Cp932},
    {"x-ms-cp932", CharsetFamily::Cp932},     {"euc-jp", CharsetFamily::EucJp},
    {"x-euc-jp", CharsetFamily::EucJp},       {"eucjp", CharsetFamily::EucJp},
    {"euc-jp-ms", CharsetFamily::EucJp},      {"cseucpkdfmtjapanese", CharsetFamily::EucJp},
    {"utf-8", CharsetFamily::Utf8},           {"utf8", CharsetFamily::Utf8},
    {"", CharsetFamily::Unlabelled},          {"us-ascii", CharsetFamily::Unlabelled},
    {"ascii", CharsetFamily::Unlabelled},     {"unknown-8bit", CharsetFamily::Unlabelled},
    {"x-unknown", CharsetFamily::Unlabelled}, {"x-user-defined", CharsetFamily::Unlabelled},
}};

constexpr const char* kCp932 = "CP932";
constexpr const char* kEucJp = "EUC-JP-MS";

std::string normalise_label(std::string_view label) {
    std::size_t begin = 0, end = label.size();
    auto strip = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    while (begin < end && strip(label[begin])) ++begin;
    while (end > begin && strip(label[end - 1])) --end;
    std::string out(label.substr(begin, end - begin));
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// A text in `from` as UTF-8. Strict: nothing at the first byte that does not fit.
bool strict_utf8(std::string_view in, const char* from, std::string& out) {
    auto converted = charset_converter(from, "UTF-8").strict(in);
    if (!converted) return false;
    out = std::move(*converted);
    return true;
}

// Lossy: a byte that does not fit becomes U+FFFD and the conversion goes on after it; a charset
// iconv does not know is read as CP932.
std::string lossy_utf8(std::string_view in, const char* from) {
    CharsetConverter& converter = charset_converter(from, "UTF-8");
    return (converter.available() ? converter : charset_converter(kCp932, "UTF-8")).substituting(in, "\xEF\xBF\xBD");
}

bool valid_utf8(std::string_view s) { return is_utf8(s); }

// Whether nearly all 8-bit bytes form UTF-8 sequences: UTF-8 with a few broken bytes, which the
// lenient double-byte charsets would otherwise read as a garble.
bool mostly_utf8(std::string_view s) {
    std::size_t high = 0, in_sequences = 0;
    for (std::size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = utf8_char_length(s.substr(i));
        if (length == 0) {
            ++high;
            ++i;
            continue;
        }
        high += length;
        in_sequences += length;
        i += length;
    }
    return high > 0 && in_sequences * 10 >= high * 9;
}

// Text as EUC-JP, strictly, and only where that reading holds no C1 control (U+0080-U+009F):
// glibc's EUC-JP reads every byte 0x80-0x9F as one, so CP932 text, whose lead bytes mostly lie
// there, would pass for EUC-JP. Real EUC-JP text holds none (0x8E and 0x8F lead kana and
// JIS X 0212 characters, no controls).
bool euc_jp_utf8(std::string_view in, std::string& out) {
    if (!strict_utf8(in, kEucJp, out)) return false;
    for (std::size_t i = out.find('\xC2'); i != std::string::npos; i = out.find('\xC2', i + 1)) {
        auto next = i + 1 < out.size() ? static_cast<unsigned char>(out[i + 1]) : 0;
        if (next >= 0x80 && next <= 0x9F) return false;
    }
    return true;
}

// The iconv name GMime gives `name`, where iconv reads it; else null.
const char* iconv_reading(const std::string& name) {
    const char* iconv_name = g_mime_charset_iconv_name(name.c_str());
    return iconv_name && charset_converter(iconv_name, "UTF-8").available() ? iconv_name : nullptr;
}

// The readings of unlabelled text, with how much likelier than the others each is in bits before
// its text is weighed: UTF-8 is what mailers write today, and the bytes of other charsets seldom
// form UTF-8 sequences. UTF-8 with a few broken bytes is read as UTF-8, each of them U+FFFD.
struct Reading {
    std::optional<std::string> (*read)(std::string_view);
    int odds;
};

std::optional<std::string> read_utf8(std::string_view in) {
    if (valid_utf8(in)) return std::string(in);
    if (mostly_utf8(in)) return lossy_utf8(in, "UTF-8");
    return std::nullopt;
}

std::optional<std::string> read_euc_jp(std::string_view in) {
    std::string out;
    if (!euc_jp_utf8(in, out)) return std::nullopt;
    return out;
}

std::optional<std::string> read_cp932(std::string_view in) {
    std::string out;
    if (!strict_utf8(in, kCp932, out)) return std::nullopt;
    return out;
}

constexpr Reading kReadings[] = {{read_utf8, 4}, {read_euc_jp, 0}, {read_cp932, 0}};

// How much of a text its readings are weighed on: a long text is told by its head, up to the first
// place after 16 KiB of bytes past ASCII where each charset begins a character (after a byte below
// 0x40, which is no charset's second byte).
std::size_t weighed_length(std::string_view bytes) {
    constexpr std::size_t kWeighedHighBytes = 16 * 1024;
    std::size_t high = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x80) {
            ++high;
        } else if (c < 0x40 && high >= kWeighedHighBytes) {
            return i + 1;
        }
    }
    return bytes.size();
}

// ESC $ @, ESC $ B, ESC $ ( and ESC ( I: the escapes only ISO-2022 text holds.
bool has_jis_escape(std::string_view s) {
    for (std::size_t i = s.find('\x1b'); i != std::string_view::npos; i = s.find('\x1b', i + 1)) {
        if (i + 2 >= s.size()) break;
        if ((s[i + 1] == '$' && (s[i + 2] == '@' || s[i + 2] == 'B' || s[i + 2] == '(')) ||
            (s[i + 1] == '(' && s[i + 2] == 'I')) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string guess_japanese(std::string_view bytes, const char* fallback) {
    if (std::none_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        return std::string(bytes);
    }
    // The readings of the text's head, the likeliest first (on a tie, in the order of kReadings);
    // the first that reads the whole text wins. A reading alone needs no weighing.
    std::string_view head = bytes.substr(0, weighed_length(bytes));
    struct Weighed {
        const Reading* reading;
        int cost;
        std::string text;
    };
    std::vector<Weighed> weighed;
    for (const Reading& reading : kReadings) {
        if (auto text = reading.read(head)) weighed.push_back({&reading, 0, std::move(*text)});
    }
    if (weighed.size() > 1) {
        for (Weighed& w : weighed) w.cost = reading_cost(w.text) - w.reading->odds;
        std::stable_sort(weighed.begin(), weighed.end(), [](const Weighed& a, const Weighed& b) { return a.cost < b.cost; });
    }
    for (Weighed& w : weighed) {
        if (head.size() == bytes.size()) return std::move(w.text);
        if (auto text = w.reading->read(bytes)) return std::move(*text);
    }
    return lossy_utf8(bytes, fallback);
}

bool readable_charset(std::string_view label) { return iconv_reading(normalise_label(label)) != nullptr; }

CharsetFamily charset_family(std::string_view label) {
    std::string name = normalise_label(label);
    for (const Alias& alias : kAliases) {
        if (alias.label == name) return alias.family;
    }
    return CharsetFamily::Other;
}

std::string_view windows_reading(std::string_view label) {
    switch (charset_family(label)) {
        case CharsetFamily::Cp932: return kCp932;
        case CharsetFamily::EucJp: return kEucJp;
        default: return {};
    }
}

std::string cp932_to_utf8(std::string_view bytes) { return to_utf8(bytes); }

std::string utf8_to_cp932(std::string_view utf8, std::string_view replacement) {
    return from_utf8_lossy(utf8, replacement);
}

std::string decode_to_utf8(std::string_view raw, std::string_view label) {
    CharsetFamily family = charset_family(label);
    std::string without_nul;
    std::string_view bytes = raw;
    if (family != CharsetFamily::Other && raw.find('\0') != std::string_view::npos) {
        // NUL means nothing in these charsets and would only spoil the guessing.
        without_nul.reserve(raw.size());
        for (char c : raw) {
            if (c != '\0') without_nul.push_back(c);
        }
        bytes = without_nul;
    }
    std::string name = normalise_label(label);
    bool iso2022 = name.rfind("iso-2022", 0) == 0 || name.rfind("csiso2022", 0) == 0;
    if (family == CharsetFamily::Jis || (!iso2022 && has_jis_escape(bytes))) {
        return cp932_to_utf8(jis_to_cp932(bytes));
    }
    std::string out;
    switch (family) {
        case CharsetFamily::Utf8:
            if (valid_utf8(bytes)) return std::string(bytes);
            return guess_japanese(bytes, "UTF-8");
        case CharsetFamily::Cp932:
            if (strict_utf8(bytes, kCp932, out)) return out;
            return guess_japanese(bytes, kCp932);
        case CharsetFamily::EucJp:
            if (euc_jp_utf8(bytes, out)) return out;
            return guess_japanese(bytes, kEucJp);
        case CharsetFamily::Unlabelled:
            return guess_japanese(bytes, kCp932);
        case CharsetFamily::Other: {
            const char* iconv_name = iconv_reading(name);
            if (!iconv_name) return guess_japanese(bytes, kCp932);
            if (strict_utf8(bytes, iconv_name, out)) return out;
            return guess_japanese(bytes, iconv_name);
        }
        case CharsetFamily::Jis:
            break;
    }
    return cp932_to_utf8(jis_to_cp932(bytes));
}

}  // namespace tv::mail
