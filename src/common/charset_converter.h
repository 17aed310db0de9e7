// The one character conversion of the system: glibc iconv between two charsets named as iconv
// names them ("CP932", "UTF-8", "EUC-JP-MS", "ISO-2022-JP"). Each pair is opened once and kept.
// UTF-8 is read by the rule of common/utf8.h: what iconv would take beyond it (code points past
// U+10FFFF) does not convert.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include <iconv.h>

namespace tv {

class CharsetConverter {
public:
    CharsetConverter(const char* from, const char* to);
    ~CharsetConverter();
    CharsetConverter(const CharsetConverter&) = delete;
    CharsetConverter& operator=(const CharsetConverter&) = delete;

    // Whether iconv knows this conversion; an unknown one converts nothing.
    bool available() const { return cd_ != nullptr; }

    // Strict: the whole text, or nullopt at the first sequence that does not convert.
    std::optional<std::string> strict(std::string_view text);

    // Substituting: each sequence that does not convert becomes `substitute` (bytes of the target
    // charset) and the conversion goes on after the bytes `skip(rest)` counts (one when not given).
    std::string substituting(std::string_view text, std::string_view substitute,
                             std::size_t (*skip)(std::string_view rest) = nullptr);

private:
    // Appends the conversion of `text` to `out`; false at a bad sequence when `substitute` is null.
    bool convert(std::string_view text, std::string& out, const std::string_view* substitute,
                 std::size_t (*skip)(std::string_view));

    iconv_t cd_ = nullptr;
    bool utf8_source_;
    std::mutex mutex_;
};

// The converter from one charset to another, opened on first use.
CharsetConverter& charset_converter(std::string_view from, std::string_view to);

}  // namespace tv
