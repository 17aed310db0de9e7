#include "common/iso2022jp.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(Iso2022jp, ReadsTheRowsCp932Adds) {
    struct Case {
        std::string jis;
        std::string cp932;
    };
    const Case cases[] = {
        {"\x1b$B$\"\x1b(B", "\x82\xa0"},           // hiragana a
        {"\x1b$B-!\x1b(B", "\x87\x40"},            // circled one (NEC row 13)
        {"\x1b$B!A\x1b(B", "\x81\x60"},            // wave dash as CP932 has it
        {"\x1b$By!\x1b(B", "\xed\x40"},            // NEC-selected IBM row 89
        {"\x1b(I1\x1b(B", "\xb1"},                 // half-width katakana
        {"a\x1b$B$\"\r\nb", "a\x82\xa0\r\nb"},     // a line end returns to ASCII
        {"\x1b$B$\x1b(B", "?"},                    // half a character
        {"\x1b$B\x1b&@$\"\x1b(B", "\x82\xa0"},     // an edition announcement keeps the set
        {"a\x1bzb", "azb"},                       // an unknown escape: the ESC byte goes
    };
    for (const Case& c : cases) EXPECT_EQ(jis_to_cp932(c.jis), c.cp932);
}

}  // namespace
}  // namespace tv
