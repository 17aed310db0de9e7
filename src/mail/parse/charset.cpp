#include "mail/parse/charset.h"

#include <gmime/gmime.h>
#include <iconv.h>

#include <array>
#include <cerrno>
#include <string>
#include <unordered_map>

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

// iconv descriptors to UTF-8, opened once per process and name.
class Descriptors {
public:
    ~Descriptors() {
        for (auto& [name, cd] : open_) {
            if (cd) iconv_close(cd);
        }
    }
    // nullptr when iconv does not know the name.
    iconv_t get(const std::string& from) {
        auto it = open_.find(from);
        if (it == open_.end()) {
            iconv_t cd = iconv_open("UTF-8", from.c_str());
            it = open_.emplace(from, cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd).first;
        }
        return it->second;
    }

private:
    std::unordered_map<std::string, iconv_t> open_;
};

iconv_t to_utf8_descriptor(const std::string& from) {
    static Descriptors descriptors;
    return descriptors.get(from);
}

// Converts to UTF-8. Strict: false at the first byte that does not fit. Lossy: such a byte
// becomes U+FFFD and the conversion goes on after it.
bool iconv_to_utf8(iconv_t cd, std::string_view in, std::string& out, bool strict) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* inp = const_cast<char*>(in.data());
    std::size_t inleft = in.size();
    char buffer[8192];
    for (;;) {
        char* outp = buffer;
        std::size_t outleft = sizeof buffer;
        std::size_t r = inleft > 0 ? iconv(cd, &inp, &inleft, &outp, &outleft)
                                   : iconv(cd, nullptr, nullptr, &outp, &outleft);
        out.append(buffer, static_cast<std::size_t>(outp - buffer));
        if (r != static_cast<std::size_t>(-1)) {
            if (inleft == 0) {
                // Flush a shift state once more, then done.
                outp = buffer;
                outleft = sizeof buffer;
                iconv(cd, nullptr, nullptr, &outp, &outleft);
                out.append(buffer, static_cast<std::size_t>(outp - buffer));
                return true;
            }
            continue;
        }
        if (errno == E2BIG) continue;
        if (strict) return false;
        out += "\xEF\xBF\xBD";
        ++inp;
        --inleft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

bool strict_utf8(std::string_view in, const char* from, std::string& out) {
    iconv_t cd = to_utf8_descriptor(from);
    if (!cd) return false;
    out.clear();
    return iconv_to_utf8(cd, in, out, true);
}

std::string lossy_utf8(std::string_view in, const char* from) {
    std::string out;
    iconv_t cd = to_utf8_descriptor(from);
    if (cd) {
        iconv_to_utf8(cd, in, out, false);
    } else {
        iconv_to_utf8(to_utf8_descriptor(kCp932), in, out, false);
    }
    return out;
}

bool valid_utf8(std::string_view s) { return g_utf8_validate_len(s.data(), s.size(), nullptr); }

// Whether nearly all 8-bit bytes form UTF-8 sequences: UTF-8 with a few broken bytes, which the
// lenient double-byte charsets would otherwise read as a garble.
bool mostly_utf8(std::string_view s) {
    std::size_t high = 0, in_sequences = 0;
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        gunichar ch = g_utf8_get_char_validated(s.data() + i, static_cast<gssize>(s.size() - i));
        if (ch == static_cast<gunichar>(-1) || ch == static_cast<gunichar>(-2)) {
            ++high;
            ++i;
            continue;
        }
        auto length = static_cast<std::size_t>(g_utf8_skip[c]);
        high += length;
        in_sequences += length;
        i += length;
    }
    return high > 0 && in_sequences * 10 >= high * 9;
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

// A text that does not fit its label, or has none: the first Japanese charset it fits, else
// `fallback` with substitutions.
std::string guess_japanese(std::string_view bytes, const char* fallback) {
    if (valid_utf8(bytes)) return std::string(bytes);
    if (mostly_utf8(bytes)) return lossy_utf8(bytes, "UTF-8");
    std::string out;
    if (strict_utf8(bytes, kEucJp, out)) return out;
    if (strict_utf8(bytes, kCp932, out)) return out;
    return lossy_utf8(bytes, fallback);
}

// JIS X 0208 row/cell bytes (0x21-0x7E each) to the CP932 pair, rows 13 and 89-92 included.
void append_jis_pair(std::string& out, unsigned char c1, unsigned char c2) {
    unsigned lead = ((c1 - 0x21u) >> 1) + 0x81u;
    if (lead > 0x9Fu) lead += 0x40u;
    unsigned trail;
    if (((c1 - 0x21u) & 1u) == 0) {
        trail = c2 + 0x1Fu + (c2 >= 0x60 ? 1u : 0u);
    } else {
        trail = c2 + 0x7Eu;
    }
    out.push_back(static_cast<char>(lead));
    out.push_back(static_cast<char>(trail));
}

}  // namespace

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

std::string jis_to_cp932(std::string_view in) {
    enum class Mode { Ascii, Kanji, Kanji0212, Kana };
    Mode mode = Mode::Ascii;
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        auto c = static_cast<unsigned char>(in[i]);
        if (c == 0x1B) {
            std::string_view rest = in.substr(i + 1);
            auto designate = [&](std::string_view sequence, Mode next) {
                if (rest.substr(0, sequence.size()) != sequence) return false;
                mode = next;
                i += sequence.size();
                return true;
            };
            if (designate("(B", Mode::Ascii) || designate("(J", Mode::Ascii) || designate("(H", Mode::Ascii) ||
                designate("(I", Mode::Kana) || designate("$@", Mode::Kanji) || designate("$B", Mode::Kanji) ||
                designate("$(B", Mode::Kanji) || designate("$(Q", Mode::Kanji) || designate("$(O", Mode::Kanji) ||
                designate("$(D", Mode::Kanji0212) || designate("&@", mode)) {
                continue;
            }
            continue;  // an unknown escape: the ESC byte alone is dropped
        }
        if (c == 0x0E) {
            mode = Mode::Kana;
            continue;
        }
        if (c == 0x0F) {
            mode = Mode::Ascii;
            continue;
        }
        if (c == '\r' || c == '\n') {
            mode = Mode::Ascii;
            out.push_back(static_cast<char>(c));
            continue;
        }
        switch (mode) {
            case Mode::Ascii:
                out.push_back(static_cast<char>(c));
                break;
            case Mode::Kana:
                out.push_back(static_cast<char>(c >= 0x21 && c <= 0x5F ? c + 0x80 : c));
                break;
            case Mode::Kanji:
            case Mode::Kanji0212: {
                if (c < 0x21 || c > 0x7E) {
                    out.push_back(c < 0x21 ? static_cast<char>(c) : '?');
                    break;
                }
                auto next = i + 1 < in.size() ? static_cast<unsigned char>(in[i + 1]) : 0;
                if (next < 0x21 || next > 0x7E) {
                    out.push_back('?');
                    break;
                }
                ++i;
                if (mode == Mode::Kanji) {
                    append_jis_pair(out, c, next);
                } else {
                    out.push_back('?');  // JIS X 0212 has no place in CP932
                }
                break;
            }
        }
    }
    return out;
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
            if (strict_utf8(bytes, kEucJp, out)) return out;
            return guess_japanese(bytes, kEucJp);
        case CharsetFamily::Unlabelled:
            return guess_japanese(bytes, kCp932);
        case CharsetFamily::Other: {
            const char* iconv_name = g_mime_charset_iconv_name(name.c_str());
            if (!iconv_name || !to_utf8_descriptor(iconv_name)) return guess_japanese(bytes, kCp932);
            if (strict_utf8(bytes, iconv_name, out)) return out;
            return guess_japanese(bytes, iconv_name);
        }
        case CharsetFamily::Jis:
            break;
    }
    return cp932_to_utf8(jis_to_cp932(bytes));
}

}  // namespace tv::mail
