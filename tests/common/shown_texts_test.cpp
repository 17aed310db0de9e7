// The size text of attachment lists and the shortened subject of one-line boxes and replies.
#include <gtest/gtest.h>

#include "common/displayed_subject.h"
#include "common/size_text.h"

namespace tv {
namespace {

TEST(SizeText, UnitsThresholdsAndRounding) {
    struct Case { double bytes; const char* text; };
    for (auto c : std::vector<Case>{
             {0, " (0byte)"},
             {1, " (1byte)"},
             {999, " (999byte)"},
             {1000, " (1KB)"},
             {1499, " (1KB)"},
             {1500, " (2KB)"},
             {999499, " (999KB)"},
             {999500, " (1,000KB)"},
             {5e6, " (5,000KB)"},  // megabytes only from 1,000,000,000 bytes
             {123456789, " (123,457KB)"},
             {999999999, " (1,000,000KB)"},
             {1e9, " (1,000MB)"},
             {1e9 + 499000, " (1,000MB)"},
             {1e9 + 499001, " (1,001MB)"},  // the single-precision 0.501 rounds up from 499,001
             {1234567890123.0, " (1,234,568MB)"},
         }) {
        EXPECT_EQ(size_text(c.bytes), c.text) << c.bytes;
    }
}

TEST(DisplayedSubject, LongSubjectsAreCutAt116BytesWithThreeDots) {
    const std::string dots = "\xA5\xA5\xA5";
    const std::string a119(119, 'a'), a120(120, 'a');
    EXPECT_EQ(displayed_subject(a119), a119);
    EXPECT_EQ(displayed_subject(a120), std::string(116, 'a') + dots);
    EXPECT_EQ(displayed_subject("  " + a119 + "\x81\x40"), a119);  // trimmed before it is measured
    // "あ" (82 A0) across byte 116: its lead byte would stand alone, a blank takes its place.
    std::string across = std::string(115, 'a') + "\x82\xA0" + "bbbb";
    EXPECT_EQ(displayed_subject(across), std::string(115, 'a') + " " + dots);
    EXPECT_EQ(displayed_subject(across).size(), 119u);
    // A double-byte character ending at byte 116 stays whole.
    std::string ending = std::string(114, 'a') + "\x82\xA0" + "bbbb";
    EXPECT_EQ(displayed_subject(ending), std::string(114, 'a') + "\x82\xA0" + dots);
}

}  // namespace
}  // namespace tv
