// Opening a received mail clears its mark in the receive list and in the list's cache.
#include <gtest/gtest.h>

#include "common/globals.h"
#include "common/receive_list_row.h"
#include "harness/harness.h"
#include "platform/forms.h"
#include "store/unread_mark.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using store::rebuilt_receive_row;
using store::SAIBYOUGA_L3;
using Strings = std::vector<std::string>;

std::string row(const std::string& subject) {
    return build_receive_row("sender <s@example.jp>", " ", subject, "2026/12/01 10:00:01");
}
std::string subject_of(const std::string& r) { return r.substr(56, 60); }

struct UnreadMarkTest : ::testing::Test {
    test::Harness h;
    UnreadMarkTest() { h.start(); }
    Strings clear_row(const Strings& rows, int opened) {
        pf::Control& list = pf::form("MAINFORM").control("LIST3");
        list.set_items(rows);
        globals().UNREAD_CLEAR_ROW = opened;
        SAIBYOUGA_L3();
        return list.items();
    }
};

TEST_F(UnreadMarkTest, TheOpenedRowLosesItsMarks) {
    const std::string unread = UNREAD_MARK(), answer = ANSWER_MARK();
    struct Case { const char* name; std::string subject; std::string cleared; };
    std::vector<Case> cases{
        {"unread", unread + "hello", "hello"},
        {"answering mark", answer + "hello", "hello"},
        {"both marks", unread + answer + "hello", "hello"},
        {"answering mark before the unread one stays half", answer + unread + "hello", unread + "hello"},
        {"no mark", "hello", "hello"},
    };
    for (const auto& c : cases) {
        Strings rows{row(unread + "other"), row(c.subject), row(answer + "third")};
        Strings after = clear_row(rows, 1);
        ASSERT_EQ(after.size(), 3u) << c.name;
        EXPECT_EQ(subject_of(after[1]), fit_width(c.cleared, 60)) << c.name;
        EXPECT_EQ(after[1].substr(0, 56), rows[1].substr(0, 56)) << c.name;    // sender and flag stay
        EXPECT_EQ(after[1].substr(116), rows[1].substr(116) + "    ") << c.name;  // the date too
        EXPECT_EQ(after[0], rows[0] + "    ") << c.name;  // other rows keep their marks
        EXPECT_EQ(after[2], rows[2] + "    ") << c.name;
        for (const auto& r : after) EXPECT_EQ(r.size(), 143u) << c.name;
        EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), test::crlf(after)) << c.name;
        // Opening another mail leaves the rows of the other mails byte for byte as they are.
        Strings again = clear_row(after, 0);
        EXPECT_EQ(again[1], after[1]) << c.name;
        EXPECT_EQ(again[2], after[2]) << c.name;
    }
}

TEST_F(UnreadMarkTest, RowsOutsideTheListAndBlankRowsChangeNoMarkAndLoseNoRow) {
    Strings rows{row(UNREAD_MARK() + "a"), std::string(139, ' '), row(UNREAD_MARK() + "c")};
    for (int opened : {-1, 3, 7}) {
        Strings after = clear_row(rows, opened);
        ASSERT_EQ(after.size(), 3u) << opened;  // the blank row does not cut off the rows after it
        EXPECT_EQ(after[2], rows[2] + "    ") << opened;
    }
    EXPECT_TRUE(clear_row({}, 0).empty());
    EXPECT_EQ(count_list_cache("SYSTEM_F\\F_JU.txt"), 0);
}

}  // namespace
}  // namespace tv::shell
