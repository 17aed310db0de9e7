#include "common/charset_converter.h"

#include <cerrno>
#include <map>
#include <memory>
#include <utility>

namespace tv {

CharsetConverter::CharsetConverter(const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd != reinterpret_cast<iconv_t>(-1)) cd_ = cd;
}

CharsetConverter::~CharsetConverter() {
    if (cd_) iconv_close(cd_);
}

bool CharsetConverter::convert(std::string_view text, std::string& out, const std::string_view* substitute,
                               std::size_t (*skip)(std::string_view)) {
    if (!cd_) return false;
    std::lock_guard lock(mutex_);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    std::size_t in_left = text.size();
    char buffer[8192];
    for (bool flushing = false;;) {
        char* out_ptr = buffer;
        std::size_t out_left = sizeof buffer;
        // With the input used up, one more call writes what a shifted charset owes at its end.
        std::size_t r = flushing ? iconv(cd_, nullptr, nullptr, &out_ptr, &out_left)
                                 : iconv(cd_, &in, &in_left, &out_ptr, &out_left);
        out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
        if (r != static_cast<std::size_t>(-1)) {
            if (flushing) return true;
            if (in_left == 0) flushing = true;
            continue;
        }
        if (errno == E2BIG) continue;
        if (!substitute) return false;
        out += *substitute;
        if (flushing) return true;
        std::size_t n = skip ? skip(std::string_view(in, in_left)) : 1;
        if (n == 0 || n > in_left) n = 1;
        in += n;
        in_left -= n;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (in_left == 0) flushing = true;
    }
}

std::optional<std::string> CharsetConverter::strict(std::string_view text) {
    std::string out;
    if (!convert(text, out, nullptr, nullptr)) return std::nullopt;
    return out;
}

std::string CharsetConverter::substituting(std::string_view text, std::string_view substitute,
                                           std::size_t (*skip)(std::string_view)) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    convert(text, out, &substitute, skip);
    return out;
}

CharsetConverter& charset_converter(std::string_view from, std::string_view to) {
    static std::mutex mutex;
    static std::map<std::pair<std::string, std::string>, std::unique_ptr<CharsetConverter>, std::less<>> open;
    std::lock_guard lock(mutex);
    auto key = std::make_pair(std::string(from), std::string(to));
    auto it = open.find(key);
    if (it == open.end()) {
        auto converter = std::make_unique<CharsetConverter>(key.first.c_str(), key.second.c_str());
        it = open.emplace(std::move(key), std::move(converter)).first;
    }
    return *it->second;
}

}  // namespace tv
