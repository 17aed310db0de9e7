#include "mail/transfer/header_words.h"

#include <glib.h>

#include <algorithm>

#include "common/charset_converter.h"

namespace tv::mail {

namespace {

constexpr std::size_t kMaxShorter = 4;

std::string word_of(std::string_view charset, std::string_view bytes) {
    gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string word = "=?" + std::string(charset) + "?B?" + encoded + "?=";
    g_free(encoded);
    return word;
}

}  // namespace

std::vector<std::string> encoded_words(std::string_view utf8, std::string_view charset, std::size_t first_word_room) {
    CharsetConverter& converter = charset_converter("UTF-8", charset);
    auto bytes_of = [&converter](std::string_view text) {
        return converter.strict(text).value_or(converter.substituting(text, "?"));
    };
    std::vector<std::size_t> ends;  // character ends from the start of the word being filled
    for (std::size_t at = 0; at < utf8.size();) {
        at = std::min(static_cast<std::size_t>(g_utf8_next_char(utf8.data() + at) - utf8.data()), utf8.size());
        ends.push_back(at);
    }
    std::vector<std::string> words;
    std::size_t start = 0, taken = 0;  // taken: characters of `ends` in words already
    while (taken < ends.size()) {
        // As many characters as fit, at least one.
        std::size_t room = words.empty() ? first_word_room : kMaxWordLength;
        std::size_t count = 1;
        while (taken + count < ends.size() &&
               word_of(charset, bytes_of(utf8.substr(start, ends[taken + count] - start))).size() <= room) {
            ++count;
        }
        // A word that is not the last one ends without base64 padding where a few characters less
        // allow it: some readers join the texts of neighbouring words and stop at padding.
        if (taken + count < ends.size()) {
            for (std::size_t shorter = count; shorter + kMaxShorter >= count && shorter >= 1; --shorter) {
                if (bytes_of(utf8.substr(start, ends[taken + shorter - 1] - start)).size() % 3 == 0) {
                    count = shorter;
                    break;
                }
            }
        }
        std::size_t end = ends[taken + count - 1];
        words.push_back(word_of(charset, bytes_of(utf8.substr(start, end - start))));
        start = end;
        taken += count;
    }
    return words;
}

std::string folded_words(const std::vector<std::string>& words, std::string_view fold) {
    std::string value;
    for (const std::string& word : words) {
        if (!value.empty()) value += fold;
        value += word;
    }
    return value;
}

}  // namespace tv::mail
