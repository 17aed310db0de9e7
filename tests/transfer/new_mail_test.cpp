#include <gtest/gtest.h>

#include "common/exchange_files.h"
#include "common/sjis.h"
#include "transfer/new_mail.h"

namespace tv::transfer {
namespace {

using namespace tv::literals;

const std::string kEnd(exchange::kEndLine);

std::vector<std::string> with_header(std::vector<std::string> body) {
    std::vector<std::string> lines{"DATE: d", "FROM: f", "TO: t", "SUBJECT: s"};
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

TEST(BodySummary, Forms) {
    const std::string& end = kEnd;
    struct Case { const char* name; std::vector<std::string> body; std::string summary; };
    std::vector<Case> cases{
        {"plain text", {"Body: hello", "second", "FILE:", end}, "Body: helloCrLfsecondCrLfFILE:CrLf" + end},
        {"doctype without closing tag starts at the date line", {"Body: x", "<!DOCTYPE HTML PUBLIC x>", "y"},
         "DATE: dCrLfFROM: fCrLfTO: tCrLfSUBJECT: sCrLfBody: xCrLf<!DOCTYPE HTML PUBLIC x>CrLfy"},
        {"doctype with closing tag: what follows it", {"Body: <!DOCTYPE HTML PUBLIC>", "a", "</html>", "FILE:", end},
         "FILE:CrLf" + end},
        {"html mark on line 5", {"Body: <HTML>", "<p>ascii only</p>", "漢字とascii", "続きはこちらから", "", "html text"},
         "Body: 漢字とCrLfCrLfhtml textCrLfFILE:CrLf" + end},
        {"<HTML> below line 5 is plain text", {"Body: a", "<HTML>"}, "Body: aCrLf<HTML>"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines = with_header(c.body);
        for (auto& l : lines) l = *from_utf8(l);
        EXPECT_EQ(body_summary(lines), *from_utf8(c.summary)) << c.name;
    }
}

TEST(BodySummary, LengthCapAndCleaning) {
    EXPECT_EQ(shorten_400(std::string(400, 'a')).size(), 400u);
    std::string long_text = std::string(200, 'a') + "x" + std::string(200, 'b');
    EXPECT_EQ(shorten_400(long_text), std::string(200, 'a') + " （中略）"_sj + std::string(200, 'b'));
    EXPECT_EQ(clean_body("Body: \"a, \"b\""), "Body: a \xA5" "b");
}

TEST(StoredLines, FirstTwentyThenAttachmentsAndTheEndLine) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 58; ++i) lines.push_back("  line " + std::to_string(i));
    lines.push_back("File: TENPFIL\\a.pdf");
    lines.push_back("File: TENPFIL\\b.pdf");
    lines.push_back(kEnd);
    auto stored = stored_lines(ParseResult(ParseResult::Status::Complete, lines));
    ASSERT_EQ(stored.size(), 23u);
    EXPECT_EQ(stored[0], "line 1");
    EXPECT_EQ(stored[20], "File: TENPFIL\\a.pdf");
    EXPECT_EQ(stored[22], kEnd);
}

}  // namespace
}  // namespace tv::transfer
