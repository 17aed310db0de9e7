#include "common/parse_result.h"

#include <gtest/gtest.h>

#include "common/exchange_files.h"

namespace tv {
namespace {

const std::string kEnd(exchange::kEndLine);

ParseResult result_of(std::vector<std::string> tail) {
    std::vector<std::string> lines{"DATE: 2026/12/10", "FROM: a <a@example.jp>", "TO: b@example.jp", "SUBJECT: hi"};
    lines.insert(lines.end(), tail.begin(), tail.end());
    return ParseResult(ParseResult::Status::Complete, lines);
}

TEST(ParseResult, HeaderValuesStandAtTheirFixedPositions) {
    ParseResult r = result_of({"Body: one", "two", "File: TENPFIL\\a.pdf", kEnd});
    EXPECT_EQ(r.date(), "2026/12/10");
    EXPECT_EQ(r.sender(), "a <a@example.jp>");
    EXPECT_EQ(r.recipients(), "b@example.jp");
    EXPECT_EQ(r.subject(), "hi");
    EXPECT_EQ(r.sender_line(), "FROM: a <a@example.jp>");
    // A cut-short result: the missing lines are empty; a line shorter than its prefix gives nothing.
    ParseResult cut(ParseResult::Status::CutShort, {"DATE", "FROM: x"});
    EXPECT_EQ(cut.date(), "");
    EXPECT_EQ(cut.sender(), "x");
    EXPECT_EQ(cut.subject_line(), "");
}

TEST(ParseResult, BodyAndAttachmentLinesFromLineFiveOn) {
    ParseResult r = result_of({"Body: one", ">FILE: quoted", "", "file: TENPFIL\\a.pdf", "File: TENPFIL\\b.pdf", kEnd});
    EXPECT_EQ(r.body_lines(), (std::vector<std::string>{"Body: one", ">FILE: quoted", ""}));
    EXPECT_EQ(r.attachment_lines(), (std::vector<std::string>{"file: TENPFIL\\a.pdf", "File: TENPFIL\\b.pdf"}));
    EXPECT_EQ(ParseResult::shown_body_line("BODY: one"), "one");
    EXPECT_EQ(ParseResult::shown_body_line("two"), "two");
}

TEST(ParseResult, AttachmentFlagFollowsTheLastAttachmentLine) {
    struct Case { std::vector<std::string> tail; std::string flag; };
    std::vector<Case> cases{
        {{"File: TENPFIL\\a.pdf"}, "F"},
        {{"file: TENPFIL\\a.pdf"}, "F"},
        {{" FILE: TENPFIL\\a.pdf"}, " "},
        {{"File: TENPFIL\\a.pdf", "FILE:"}, " "},
        {{"FILE:  \x81\x40"}, " "},
        {{}, " "},
    };
    for (const auto& c : cases) {
        std::vector<std::string> tail{"Body: "};
        tail.insert(tail.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(result_of(tail).attachment_flag(), c.flag) << testing::PrintToString(c.tail);
    }
}

TEST(ParseResult, WithoutContentWhenNothingOrOnlyTheEndLineCame) {
    EXPECT_TRUE(ParseResult().without_content());
    EXPECT_TRUE(ParseResult(ParseResult::Status::Complete, {"  " + kEnd}).without_content());
    EXPECT_FALSE(result_of({kEnd}).without_content());
}

}  // namespace
}  // namespace tv
