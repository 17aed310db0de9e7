#include "mail/parse/header_text.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <optional>

#include "common/charset_converter.h"
#include "common/iso2022jp.h"
#include "common/sjis.h"
#include "mail/parse/charset.h"
#include "mail/parse/gobject_ptr.h"

namespace tv::mail {

namespace {

// RFC 2231 values reach GMime labelled with a charset that gives each byte as a character of its
// own, their own label in place of the language, so that parameter_text reads the bytes afterwards
// as a body is read.
constexpr const char* kByteForByte = "ISO-8859-1";
constexpr std::size_t kMaxLabelAndLanguage = 60;

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Where an ISO-2022-JP run that begins at `at` (an ESC) ends: after its return to ASCII, else at
// the end of the text.
std::size_t jis_run_end(std::string_view s, std::size_t at) {
    for (std::size_t i = s.find('\x1b', at + 1); i != std::string_view::npos; i = s.find('\x1b', i + 1)) {
        std::string_view escape = s.substr(i, 3);
        if (escape == "\x1b(B" || escape == "\x1b(J") return i + 3;
    }
    return s.size();
}

bool opens_jis_run(std::string_view s, std::size_t at) {
    std::string_view escape = s.substr(at, 3);
    return escape == "\x1b$B" || escape == "\x1b$@" || escape == "\x1b(I" || escape == "\x1b$(";
}

// Raw ISO-2022-JP runs become UTF-8; everything else stays as it is.
std::string raw_jis_to_utf8(std::string_view s) {
    if (s.find('\x1b') == std::string_view::npos) return std::string(s);
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t esc = s.find('\x1b', i);
        if (esc == std::string_view::npos) break;
        if (!opens_jis_run(s, esc)) {
            out.append(s.substr(i, esc + 1 - i));
            i = esc + 1;
            continue;
        }
        out.append(s.substr(i, esc - i));
        std::size_t end = jis_run_end(s, esc);
        out += cp932_to_utf8(jis_to_cp932(s.substr(esc, end - esc)));
        i = end;
    }
    out.append(s.substr(std::min(i, s.size())));
    return out;
}

std::string decode_q(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '_') {
            out.push_back(' ');
        } else if (c == '=' && i + 2 < text.size() && g_ascii_isxdigit(text[i + 1]) && g_ascii_isxdigit(text[i + 2])) {
            out.push_back(static_cast<char>(g_ascii_xdigit_value(text[i + 1]) * 16 + g_ascii_xdigit_value(text[i + 2])));
            i += 2;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string decode_b(std::string_view text) {
    std::string input(text);
    gsize length = 0;
    GCharPtr decoded(reinterpret_cast<char*>(g_base64_decode(input.c_str(), &length)));
    return decoded ? std::string(decoded.get(), length) : std::string();
}

std::string encoded_word(std::string_view charset, char encoding, std::string_view text) {
    std::string out = "=?";
    out += charset;
    out += '?';
    out += encoding;
    out += '?';
    out += text;
    out += "?=";
    return out;
}

std::string base64_word(std::string_view charset, std::string_view bytes) {
    GCharPtr encoded(g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size()));
    return encoded_word(charset, 'B', encoded.get());
}

// One encoded word "=?charset?B|Q?text?=" taken apart: the label its bytes are read by and its
// bytes.
struct Word {
    std::string label;
    std::string bytes;
};

Word take_word(std::string_view charset, char encoding, std::string_view text) {
    std::string_view label = charset.substr(0, charset.find('*'));  // RFC 2231 language suffix
    return {std::string(label), (encoding == 'B' || encoding == 'b') ? decode_b(text) : decode_q(text)};
}

// Words that one reading takes together: the Japanese labels by the reading they get, every other
// label by its name.
bool same_reading(std::string_view a, std::string_view b) {
    CharsetFamily family = charset_family(a);
    if (family != charset_family(b)) return false;
    return family != CharsetFamily::Other || lower_ascii(a) == lower_ascii(b);
}

// Charsets in which a NUL byte is a NUL character.
bool ascii_compatible(std::string_view label) {
    std::string name = lower_ascii(label);
    return name.find("16") == std::string::npos && name.find("32") == std::string::npos &&
           name.find("ucs") == std::string::npos;
}

// A run of words of one reading as one B-encoded UTF-8 word, read as a body is read: by its label
// where the bytes fit it, else guessed. Joined, a character split between two words is whole
// again. No NUL: GMime would end the text there or make it "?"; a blank is what every other
// control byte becomes.
std::string joined_word(const Word& word) {
    std::string bytes = word.bytes;
    if (ascii_compatible(word.label)) std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    std::string text = decode_to_utf8(bytes, word.label);
    std::replace(text.begin(), text.end(), '\0', ' ');
    return base64_word("UTF-8", text);
}

// An encoded word holds no blank or line end.
bool charset_and_text_whole(std::string_view charset, std::string_view text) {
    return charset.find_first_of(" \t\r\n") == std::string_view::npos &&
           text.find_first_of(" \t\r\n") == std::string_view::npos;
}

bool only_space(std::string_view text) {
    for (char c : text) {
        if (!is_space(c)) return false;
    }
    return true;
}

// Every encoded word read before GMime sees it, so that GMime's reading of a label never decides:
// each run of neighbouring words of one reading becomes one UTF-8 word.
std::string rewrite_encoded_words(std::string_view s) {
    std::string out;
    std::optional<Word> run;
    std::size_t i = 0;  // where the text not yet written begins
    for (std::size_t from = 0;;) {
        std::size_t start = s.find("=?", from);
        if (start == std::string_view::npos) break;
        from = start + 2;
        std::size_t q1 = s.find('?', start + 2);
        bool word = q1 != std::string_view::npos && q1 > start + 2 && q1 - start < 80 && q1 + 2 < s.size() &&
                    s[q1 + 2] == '?' && std::string_view("BbQq").find(s[q1 + 1]) != std::string_view::npos;
        std::size_t end = word ? s.find("?=", q1 + 3) : std::string_view::npos;
        if (end == std::string_view::npos) continue;
        std::string_view charset = s.substr(start + 2, q1 - start - 2);
        std::string_view text = s.substr(q1 + 3, end - q1 - 3);
        if (!charset_and_text_whole(charset, text)) continue;
        Word next = take_word(charset, s[q1 + 1], text);
        std::string_view between = s.substr(i, start - i);
        if (run && only_space(between) && same_reading(run->label, next.label)) {
            run->bytes += next.bytes;
        } else {
            if (run) out += joined_word(*run);
            out.append(between);
            run = std::move(next);
        }
        i = end + 2;
        from = i;
    }
    if (run) out += joined_word(*run);
    out.append(s.substr(i));
    return out;
}

// Whether the parameter name that ends at `star` begins its value: "name" or "name*0", not the
// further pieces "name*1", "name*2" of a continued value, which carry no label.
bool first_piece(std::string_view s, std::size_t star) {
    std::size_t digits = star;
    while (digits > 0 && g_ascii_isdigit(s[digits - 1])) --digits;
    if (digits == star || digits == 0 || s[digits - 1] != '*') return true;
    return s.substr(digits, star - digits) == "0";
}

struct ValueStart {
    std::string text;
    std::size_t length;  // of the start it replaces
};

// The start "charset'" of an RFC 2231 value as "ISO-8859-1'charset" (the language that followed
// is dropped), or nullopt when `value` does not start with a label and a language.
std::optional<ValueStart> relabelled(std::string_view value) {
    std::size_t quote = value.find('\'');
    std::size_t second = quote == std::string_view::npos ? quote : value.find('\'', quote + 1);
    if (second == std::string_view::npos || second > kMaxLabelAndLanguage) return std::nullopt;
    if (value.substr(0, second).find_first_of(" ;\t\"") != std::string_view::npos) return std::nullopt;
    return ValueStart{std::string(kByteForByte) + "'" + std::string(value.substr(0, quote)), second};
}

std::string unfold(std::string_view raw) {
    std::string value(raw);
    GCharPtr unfolded(g_mime_utils_header_unfold(value.c_str()));
    return unfolded ? std::string(unfolded.get()) : value;
}

}  // namespace

// Raw 8-bit text is read before GMime sees it, so that GMime's own list of charsets never decides.
// In a parameter value it matters to GMime's parse as well: taken raw, a CP932 name would keep the
// 0x5C trail byte of 表 or ソ, which GMime reads as an escape in a quoted value, and which cuts a
// name as at a folder.
std::string prepare_raw_header(std::string_view raw) {
    return rewrite_encoded_words(raw_jis_to_utf8(guess_japanese(unfold(raw))));
}

std::string prepare_raw_parameters(std::string_view raw) {
    std::string s = prepare_raw_header(raw);
    // name*=charset'language'value, or name*0*=charset'language'value and its further pieces;
    // quoted text is no parameter.
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        out.push_back(c);
        if (quoted) {
            if (c == '\\' && i + 1 < s.size()) {
                out.push_back(s[++i]);
            } else if (c == '"') {
                quoted = false;
            }
            continue;
        }
        quoted = c == '"';
        if (c != '=' || i == 0 || s[i - 1] != '*' || !first_piece(s, i - 1)) continue;
        std::size_t begin = i + 1;
        if (begin < s.size() && s[begin] == '"') {
            out.push_back('"');
            quoted = true;
            ++begin;
        }
        i = begin - 1;
        if (auto start = relabelled(std::string_view(s).substr(begin))) {
            out += start->text;
            i += start->length;
        }
    }
    return out;
}

std::string parameter_text(GMimeParam* param) {
    const char* value = g_mime_param_get_value(param);
    if (!value) return {};
    const char* charset = g_mime_param_get_charset(param);
    if (!charset || g_ascii_strcasecmp(charset, kByteForByte) != 0) return value;
    std::optional<std::string> bytes = charset_converter("UTF-8", kByteForByte).strict(value);
    if (!bytes) return value;
    const char* label = g_mime_param_get_lang(param);
    return decode_to_utf8(*bytes, label ? label : "");
}

std::string one_line(std::string_view utf8) {
    std::string line = utf8_to_cp932(utf8);
    for (char& c : line) {
        if (is_control_byte(c)) c = ' ';
    }
    return trim(line);
}

}  // namespace tv::mail
