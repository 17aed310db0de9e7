#include "common/charset_converter.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <utility>

#include "common/utf8.h"

namespace tv {

namespace {

bool names_utf8(std::string_view charset) {
    std::string name;
    for (char c : charset.substr(0, charset.find('/'))) name.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    return name == "UTF-8" || name == "UTF8";
}

}  // namespace

CharsetConverter::CharsetConverter(const char* from, const char* to) : utf8_source_(names_utf8(from)) {
    iconv_t cd = iconv_open(to, from);
    if (cd != reinterpret_cast<iconv_t>(-1)) cd_ = cd;
}

CharsetConverter::~CharsetConverter() {
    if (cd_) iconv_close(cd_);
}

namespace {

// After a sequence that does not convert, iconv is given this much input at first, and twice as
// much after each stretch it converts whole. glibc converts a multi-step pair (UTF-8 to CP932 goes
// through UCS-4) thousands of characters ahead in its first step and, when a later step stops at
// a character, converts the first step's input again to find where: one call per failing
// character over the whole text would cost that much each time. Small windows keep a run of
// failing characters (Korean, emoji) as cheap as the rest, and the doubling brings a text that
// fails now and then back to whole-text calls within a few calls.
constexpr std::size_t kWindowAfterFailure = 16;
// A failure this close to the end of a window may be the window's doing (a character or escape
// cut short): it counts only once iconv has seen this much beyond it, or the text's end.
constexpr std::size_t kLookahead = 16;

}  // namespace

bool CharsetConverter::convert(std::string_view text, std::string& out, const std::string_view* substitute,
                               std::size_t (*skip)(std::string_view)) {
    if (!cd_) return false;
    std::lock_guard lock(mutex_);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    char* const end = in + text.size();
    // Where the next sequence that is not well-formed UTF-8 begins (the end for other charsets):
    // iconv never sees it, and it fails as a sequence that does not convert.
    auto next_ill_formed = [&](char* from) {
        return utf8_source_ ? from + utf8_valid_prefix(std::string_view(from, static_cast<std::size_t>(end - from)))
                            : end;
    };
    char* ill_formed = next_ill_formed(in);
    std::size_t window = text.size();  // how much of the rest the next call sees
    char buffer[8192];
    for (bool flushing = false;;) {
        char* out_ptr = buffer;
        std::size_t out_left = sizeof buffer;
        std::size_t in_left = std::min(window, static_cast<std::size_t>(ill_formed - in));
        char* const window_end = in + in_left;
        std::size_t r = static_cast<std::size_t>(-1);
        int error = EILSEQ;
        if (flushing) {
            // With the input used up, one more call writes what a shifted charset owes at its end.
            r = iconv(cd_, nullptr, nullptr, &out_ptr, &out_left);
            error = errno;
        } else if (in != ill_formed || in == end) {
            r = iconv(cd_, &in, &in_left, &out_ptr, &out_left);
            error = errno;
        }
        out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
        if (r != static_cast<std::size_t>(-1)) {
            if (flushing) return true;
            if (in == end) flushing = true;
            window *= 2;
            continue;
        }
        if (error == E2BIG) continue;
        if (!flushing && window_end != ill_formed &&
            (error == EINVAL || static_cast<std::size_t>(window_end - in) < kLookahead)) {
            window = std::max(window * 2, kLookahead * 2);
            continue;
        }
        if (!substitute) return false;
        out += *substitute;
        if (flushing) return true;
        std::size_t rest = static_cast<std::size_t>(end - in);
        std::size_t n = skip ? skip(std::string_view(in, rest)) : 1;
        if (n == 0 || n > rest) n = 1;
        in += n;
        if (in > ill_formed) ill_formed = next_ill_formed(in);
        window = kWindowAfterFailure;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (in == end) flushing = true;
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
