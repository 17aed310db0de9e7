#include "common/charset_converter.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(CharsetConverter, StrictSubstitutingAndUnknown) {
    // A shifted charset ends in ASCII: the conversion writes the shift back at its end.
    EXPECT_EQ(charset_converter("UTF-8", "ISO-2022-JP").strict("\xE3\x81\x82"), "\x1b$B$\"\x1b(B");
    EXPECT_EQ(charset_converter("UTF-8", "ISO-2022-JP").strict("a\xF0\x9F\x98\x80"), std::nullopt);  // an emoji
    // Substituting: each bad byte once, the rest converted, a cut character at the end too.
    EXPECT_EQ(charset_converter("CP932", "UTF-8").substituting("a\x82\xa0\xFF" "b\x82", "?"), "a\xE3\x81\x82?b?");
    EXPECT_EQ(charset_converter("UTF-8", "CP932").substituting("x\xF0\x9F\x98\x80y", "?",
                                                                [](std::string_view) { return std::size_t{4}; }),
              "x?y");
    EXPECT_FALSE(charset_converter("NO-SUCH-CHARSET", "UTF-8").available());
    EXPECT_EQ(charset_converter("NO-SUCH-CHARSET", "UTF-8").strict("a"), std::nullopt);
    // One converter per pair, kept.
    EXPECT_EQ(&charset_converter("CP932", "UTF-8"), &charset_converter("CP932", "UTF-8"));
}

}  // namespace
}  // namespace tv
