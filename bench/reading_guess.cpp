// How often the mail component reads text without a charset label in the charset it was written
// in, over the words of a dictionary: bench/README.md, "Unlabelled text".
//
//     reading-guess [--show N] [DICTIONARY_FOLDER] [LOCALES_FOLDER]
//         (defaults: /usr/share/mecab/dic/ipadic, /usr/share/i18n/locales; --show prints the first
//          N words of each set that are read wrong now, with what they are read as)
#include <gmime/gmime.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#ifdef HAVE_UCHARDET
#include <uchardet/uchardet.h>
#endif

#include "common/charset_converter.h"
#include "common/sjis.h"
#include "common/utf8.h"
#include "common/width_conversion.h"
#include "mail/parse/charset.h"

namespace {

using tv::charset_converter;

struct Sample {
    std::string bytes;
    std::string utf8;  // what it says
};

struct Set {
    std::string name;
    std::vector<Sample> samples;
};

// The rule the component had before it weighed the readings: UTF-8 where well formed by glib's
// check, or where nearly all 8-bit bytes form UTF-8 sequences (lossy), else EUC-JP where that
// reading holds no C1 control, else CP932, else CP932 lossy.
std::string rule_before(std::string_view bytes) {
    if (g_utf8_validate_len(bytes.data(), bytes.size(), nullptr)) return std::string(bytes);
    std::size_t high = 0, in_sequences = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        gunichar ch = g_utf8_get_char_validated(bytes.data() + i, static_cast<gssize>(bytes.size() - i));
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
    if (high > 0 && in_sequences * 10 >= high * 9) {
        return charset_converter("UTF-8", "UTF-8").substituting(bytes, "\xEF\xBF\xBD");
    }
    if (auto euc = charset_converter("EUC-JP-MS", "UTF-8").strict(bytes)) {
        bool c1 = false;
        for (std::size_t i = euc->find('\xC2'); i != std::string::npos && !c1; i = euc->find('\xC2', i + 1)) {
            auto next = i + 1 < euc->size() ? static_cast<unsigned char>((*euc)[i + 1]) : 0;
            c1 = next >= 0x80 && next <= 0x9F;
        }
        if (!c1) return *euc;
    }
    if (auto cp932 = charset_converter("CP932", "UTF-8").strict(bytes)) return *cp932;
    return charset_converter("CP932", "UTF-8").substituting(bytes, "\xEF\xBF\xBD");
}

#ifdef HAVE_UCHARDET
// uchardet's answer where it names one of the three charsets; our own rule where it names another
// or none (most short words).
std::string uchardet_then_ours(std::string_view bytes) {
    static uchardet_t detector = uchardet_new();
    uchardet_reset(detector);
    uchardet_handle_data(detector, bytes.data(), bytes.size());
    uchardet_data_end(detector);
    std::string name = uchardet_get_charset(detector);
    const char* from = name == "UTF-8" ? "UTF-8" : name == "EUC-JP" ? "EUC-JP-MS" : name == "SHIFT_JIS" ? "CP932" : nullptr;
    if (from) {
        if (auto text = charset_converter(from, "UTF-8").strict(bytes)) return *text;
    }
    return tv::mail::guess_japanese(bytes);
}
#endif

// The first field of every line of the dictionary's CSV files (EUC-JP), once each.
std::set<std::string> dictionary_words(const std::filesystem::path& folder, std::set<std::string>& readings_of_surnames) {
    std::set<std::string> words;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".csv") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            std::vector<std::string> fields;
            std::size_t start = 0;
            for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
                fields.push_back(line.substr(start, comma - start));
            }
            fields.push_back(line.substr(start));
            words.insert(fields[0]);
            // 名詞,固有名詞,人名,姓: a surname, and its reading in katakana.
            if (fields.size() > 11 && fields[6] == "\xBF\xCD\xCC\xBE" && fields[7] == "\xC0\xAB") {
                readings_of_surnames.insert(fields[11]);
            }
        }
    }
    return words;
}

// Katakana typed half-width in CP932, where every character has a half-width form.
std::optional<Sample> half_width(const std::string& euc) {
    auto cp932 = charset_converter("EUC-JP-MS", "CP932").strict(euc);
    if (!cp932) return std::nullopt;
    std::string half = tv::TO_HALF_WIDTH(*cp932);
    if (std::any_of(half.begin(), half.end(), [](char c) { return static_cast<unsigned char>(c) < 0xA1; })) {
        return std::nullopt;
    }
    return Sample{half, tv::to_utf8(half)};
}

// Day and month names of the system's locales in other scripts than Japanese ("<U0E2D><U0E32>").
std::vector<Sample> locale_words(const std::filesystem::path& folder) {
    std::set<std::string> words;
    if (!std::filesystem::is_directory(folder)) return {};
    const std::regex quoted("\"((<U[0-9A-Fa-f]{4,5}>)+)\"");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path());
        std::string line;
        bool in_time = false;
        while (std::getline(in, line)) {
            if (line.rfind("LC_TIME", 0) == 0) in_time = true;
            if (line.rfind("END LC_TIME", 0) == 0) in_time = false;
            if (!in_time) continue;
            for (auto m = std::sregex_iterator(line.begin(), line.end(), quoted); m != std::sregex_iterator(); ++m) {
                std::string text, word;
                std::string s = (*m)[1];
                bool japanese = false, high = false;
                for (std::size_t at = s.find("<U"); at != std::string::npos; at = s.find("<U", at + 1)) {
                    char32_t c = std::stoul(s.substr(at + 2, s.find('>', at) - at - 2), nullptr, 16);
                    japanese |= (c >= 0x3000 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || c >= 0xF900;
                    high |= c >= 0x80;
                    std::string u32;
                    for (int shift = 0; shift < 32; shift += 8) u32.push_back(static_cast<char>((c >> shift) & 0xFF));
                    text += *charset_converter("UTF-32LE", "UTF-8").strict(u32);
                }
                if (high && !japanese) words.insert(text);
            }
        }
    }
    std::vector<Sample> out;
    for (const auto& w : words) out.push_back({w, w});
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    g_mime_init();
    std::vector<std::string> args(argv + 1, argv + argc);
    std::size_t show = 0;
    if (args.size() >= 2 && args[0] == "--show") {
        show = std::stoul(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    std::filesystem::path dictionary = args.size() > 0 ? args[0] : "/usr/share/mecab/dic/ipadic";
    std::filesystem::path locales = args.size() > 1 ? args[1] : "/usr/share/i18n/locales";
    std::set<std::string> surnames;
    std::set<std::string> words = dictionary_words(dictionary, surnames);

    // Katakana words: 30A1-30F4 (ァ-ヴ), 30FC (ー), 30FB (・); kanji and kana words: kanji, 々, 〆,
    // hiragana, katakana and ー.
    const std::regex katakana("^(\xE3(\x82[\xA1-\xBF]|\x83[\x80-\xB4\xBB\xBC]))+$");
    const std::regex kanji_and_kana(
        "^([\xE4-\xE9][\x80-\xBF][\x80-\xBF]|\xE3\x80[\x85\x86]|\xE3\x81[\x81-\xBF]|\xE3\x82[\x80-\x93\xA1-\xBF]|"
        "\xE3\x83[\x80-\xB6\xBC])+$");
    Set half_kana{"half-width katakana words in CP932", {}}, surname_kana{"surnames in half-width katakana, CP932", {}};
    Set euc{"kanji and kana words in EUC-JP", {}}, cp932{"kanji and kana words in CP932", {}},
        utf8{"kanji and kana words in UTF-8", {}}, bracketed{"the same in UTF-8 as \"[word]\"", {}};
    std::size_t katakana_words = 0;
    for (const auto& w : words) {
        auto text = charset_converter("EUC-JP-MS", "UTF-8").strict(w);
        if (!text) continue;
        if (std::regex_match(*text, katakana)) {
            ++katakana_words;
            if (auto s = half_width(w)) half_kana.samples.push_back(*s);
        }
        if (std::regex_match(*text, kanji_and_kana)) {
            euc.samples.push_back({w, *text});
            if (auto c = charset_converter("UTF-8", "CP932").strict(*text)) cp932.samples.push_back({*c, *text});
            utf8.samples.push_back({*text, *text});
            bracketed.samples.push_back({"[" + *text + "]", "[" + *text + "]"});
        }
    }
    for (const auto& r : surnames) {
        if (auto s = half_width(r)) surname_kana.samples.push_back(*s);
    }
    Set foreign{"day and month names of other scripts in UTF-8", locale_words(locales)};

    struct Rule {
        const char* name;
        std::function<std::string(std::string_view)> read;
    };
    std::vector<Rule> rules = {
        {"before", rule_before},
        {"now", [](std::string_view b) { return tv::mail::guess_japanese(b); }},
#ifdef HAVE_UCHARDET
        {"uchardet, else now", uchardet_then_ours},
#endif
    };
    std::printf("%zu dictionary words; %zu katakana words, %zu of them typed half-width\n\n", words.size(),
                katakana_words, half_kana.samples.size());
    std::printf("%-50s %8s", "read wrong", "words");
    for (const auto& rule : rules) std::printf(" %20s", rule.name);
    std::printf("\n");
    for (const Set* set : {&half_kana, &surname_kana, &euc, &cp932, &utf8, &bracketed, &foreign}) {
        std::printf("%-50s %8zu", set->name.c_str(), set->samples.size());
        for (const auto& rule : rules) {
            std::size_t wrong = 0;
            for (const auto& s : set->samples) wrong += rule.read(s.bytes) != s.utf8;
            std::printf(" %11zu (%5.2f%%)", wrong, set->samples.empty() ? 0.0 : 100.0 * wrong / set->samples.size());
        }
        std::printf("\n");
        std::size_t shown = 0;
        for (const auto& s : set->samples) {
            if (shown == show) break;
            std::string read = tv::mail::guess_japanese(s.bytes);
            if (read != s.utf8) std::printf("    %s read as %s\n", s.utf8.c_str(), read.c_str()), ++shown;
        }
    }
    return 0;
}
