#include "common/utf8.h"

#include <gtest/gtest.h>

#include "common/charset_converter.h"

namespace tv {
namespace {

// The check and every conversion from UTF-8 agree: what is not UTF-8 (over-long forms, surrogates,
// code points past U+10FFFF, which glibc's iconv takes) converts to nothing.
TEST(Utf8, WellFormedIsWhatTheStandardAllows) {
    struct Case {
        const char* what;
        std::string bytes;
        bool well_formed;
    };
    const Case cases[] = {
        {"ASCII and NUL", std::string("a\0b", 3), true},
        {"U+0080", "\xC2\x80", true},
        {"U+07FF", "\xDF\xBF", true},
        {"U+0800", "\xE0\xA0\x80", true},
        {"U+D7FF", "\xED\x9F\xBF", true},
        {"U+E000", "\xEE\x80\x80", true},
        {"U+FFFF", "\xEF\xBF\xBF", true},
        {"U+10000", "\xF0\x90\x80\x80", true},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"over-long two bytes", "\xC1\xBF", false},
        {"over-long three bytes", "\xE0\x9F\xBF", false},
        {"over-long four bytes", "\xF0\x8F\xBF\xBF", false},
        {"a surrogate", "\xED\xA0\x80", false},
        {"U+110000", "\xF4\x90\x80\x80", false},
        {"lead byte F5", "\xF5\x80\x80\x80", false},
        {"lead byte F7", "\xF7\xBF\xBF\xBF", false},
        {"a five-byte form", "\xF8\x88\x80\x80\x80", false},
        {"a six-byte form", "\xFC\x84\x80\x80\x80\x80", false},
        {"cut short", "\xE3\x81", false},
        {"a lone continuation byte", "\x80", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = "x" + c.bytes + "y";
        EXPECT_EQ(is_utf8(text), c.well_formed);
        EXPECT_EQ(utf8_valid_prefix(text), c.well_formed ? text.size() : 1u);
        EXPECT_EQ(charset_converter("UTF-8", "UTF-8").strict(text).has_value(), c.well_formed);
        EXPECT_EQ(charset_converter("UTF-8", "UCS-4").strict(text).has_value(), c.well_formed);
    }
}

}  // namespace
}  // namespace tv
