// The HTML body as text: one table of lines and what each adds.
#include <gtest/gtest.h>

#include "common/exchange_files.h"
#include "platform/events.h"
#include "viewer/html_conversion.h"
#include "viewer/html_hidden_parts.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(HtmlConversion, WhatEachLineAdds) {
    const std::string jp = "日本語"_sj, word = "単語"_sj, fw_blank = "\x81\x40";
    struct Case {
        const char* name;
        std::string line;
        std::string out;
    };
    std::vector<Case> cases{
        // The filter's tests, in their order.
        {"back-to-top link", "<a>" + jp + "上へ戻る"_sj + "</a>", ""},
        {"back-to-top link beats everything", "上へ戻る"_sj + " font-family: << COPYRIGHT RESERVED", ""},
        {"font-family style", "<p style=\"font-family: x\">" + jp + "</p>", " \r\n"},
        {"<< anywhere", jp + " << " + jp, " \r\n"},
        {">> in a notice", "Copyright >> all rights reserved", " \r\n"},
        {"notice in a tag pair", "<p>Copyright 2009 All Rights Reserved</p>", "\r\nCopyright 2009 All Rights Reserved\r\n"},
        {"notice ending in <br>", "(c) copyright, reserved<br>", "\r\n(c) copyright, reserved\r\n\r\n"},
        {"notice without its second word", "<p>Copyright 2009</p>", ""},
        {"ASCII with <br>", "hello<br>", " \r\n"},
        {"ASCII alone", "hello world", ""},
        {"half-width katakana alone", "\xB6\xC0\xB6\xC5", ""},
        {"full-width blank and <br>: trimmed away", fw_blank + "<br>", " \r\n"},
        {"blank line", "  " + fw_blank + " ", ""},
        // Tags.
        {"tag, word, closing tag", "<b>" + word + "</b>", word + "\r\n"},
        {"&gt; inside a tag's attribute", "<a title=\"a&gt;b\">" + word + "</a>", word + "\r\n"},
        {"three texts between tags", "<b>一</b>二<i>三</i>"_sj, "一二三\r\n"_sj},
        {"text after the last tag is kept", "<b>" + word + "</b>" + jp, word + jp + "\r\n"},
        {"closing tag and <br>", "<b>" + word + "</b><br>", word + "\r\n\r\n"},
        {"<Br> breaks the line", jp + "<Br>" + word, jp + "\r\n" + word + "\r\n"},
        {"<BR> breaks", jp + "<BR>", jp + "\r\n\r\n"},
        {"a tag going on in the next line", word + " <a href=\"x", word + "\r\n"},
        {"the end of a tag begun before", "class=\"x\">" + word + "<br>", word + "\r\n\r\n"},
        {"a < that opens no tag", "1 < 2 " + jp, "1 < 2 " + jp + "\r\n"},
        {"sixty tags", jp + repeat("<b>", 60) + word + "</b>", jp + word + "\r\n"},
        // Character references.
        {"&nbsp; is a blank", "お客様&nbsp;各位"_sj, "お客様 各位\r\n"_sj},
        {"&lt; and &gt;", "1,000円 &lt;税込&gt; 送料無料"_sj, "1,000円 <税込> 送料無料\r\n"_sj},
        {"&amp;", "Ａ社 A &amp; B"_sj, "Ａ社 A & B\r\n"_sj},
        {"a line that begins with &nbsp;", "&nbsp;" + jp, jp + "\r\n"},
        {"numeric references", jp + "&#12354;&#x3044;&#X3046;", jp + "あいう\r\n"_sj},
        {"named ones of HTML 4", jp + "&times;&divide;&deg;&hellip;&AMP;", jp + "×÷°…&\r\n"_sj},
        {"a character CP932 cannot hold", jp + "&#x1F600;&eacute;", jp + "??\r\n"},
        {"unknown names and lone ampersands stay", jp + "&foo; & &#xZZ; &amp", jp + "&foo; & &#xZZ; &amp\r\n"},
        // Whole lines, broken at their block tags.
        {"a line longer than 149 bytes", repeat("あ"_sj, 75), repeat("あ"_sj, 75) + "\r\n"},
        {"148 ASCII bytes and a double-byte character", std::string(148, 'a') + "あ"_sj,
         std::string(148, 'a') + "あ\r\n"_sj},
        {"a one-line HTML", "<html><body><p>段落一</p><p>段落二<br>次の行</p><div>区切り</div>後の文</body></html>"_sj,
         "段落一\r\n段落二\r\n\r\n次の行\r\n区切り\r\n後の文\r\n"_sj},
    };
    for (const auto& c : cases) EXPECT_EQ(convert_html_line(c.line), c.out) << c.name;
}

// Style and script blocks and comments are hidden, over as many lines as they run.
TEST(HtmlConversion, HiddenPartsLeaveTheirLines) {
    HtmlHiddenParts hidden;
    struct Step { std::string line, visible; };
    const std::vector<Step> steps{
        {"<style type=\"text/css\">", ""},
        {"p { color: red; } /* 見出し */"_sj, ""},
        {"</STYLE>本文"_sj, "本文"_sj},
        {"<script>var s = \"スクリプト\";</script>後"_sj, "後"_sj},
        {"前<!-- コメント"_sj, "前"_sj},
        {"続くコメント -->です"_sj, "です"_sj},
        {"<styles>は別のタグ<!---->"_sj, "<styles>は別のタグ"_sj},
    };
    for (const auto& step : steps) EXPECT_EQ(hidden.visible(step.line), step.visible) << step.line;
}

TEST(HtmlConversion, QueuedEventsRunBeforeEachLineAndAfterEachConvertedOne) {
    tv::test::Harness h;
    // An event that queues itself again counts the pumps: each pump runs one queued event.
    int pumps = 0;
    pf::handlers().set("COUNT", [&] {
        ++pumps;
        pf::event_queue().post("COUNT");
    });
    pf::event_queue().post("COUNT");
    auto& g = globals();
    struct Case {
        const char* name;
        std::string line;
        int pumps;
    };
    const Case cases[] = {
        {"ended by the filter with a blank line", "hello<br>", 1},
        {"ended by the filter with nothing", "hello", 1},
        {"one pass of the leading and one of the trailing tags", "<b>単語</b>"_sj, 4},
        {"no tags", "単語"_sj, 2},
    };
    for (const auto& c : cases) {
        g.HTML_LINES[1] = c.line;
        g.QUOTE_LINE_COUNT = 1;
        pumps = 0;
        HTM_HENKAN_TXT();
        EXPECT_EQ(pumps, c.pumps) << c.name;
    }
}

TEST(HtmlConversion, AnHtmlMailShowsTheConvertedText) {
    ViewerProgram p(1);
    p.parse_answers({"DATE: d", "FROM: f", "TO: t", "SUBJECT: s", "Body: <HTML><body>", "<p>こんにちは</p>"_sj,
                     "plain ascii line", "<br>", "<p>Copyright 2026 All rights reserved.</p>", "</body></HTML>",
                     "FILE:", std::string(exchange::kEndLine)});
    p.start();
    p.open_received(0);
    EXPECT_EQ(p.text("EDIT8"), "こんにちは\r\n"_sj + " \r\n" + "\r\nCopyright 2026 All rights reserved.\r\n");
    EXPECT_EQ(globals().QUOTE_LINE_COUNT, 3);
    EXPECT_EQ(p.titles(), Strings{"HTML形式"_sj});
}

// What a reader of a newsletter sees: no style or script text, references decoded, every line whole.
TEST(HtmlConversion, ANewsletterShowsWhatItsReaderSees) {
    ViewerProgram p(1);
    p.parse_answers({"DATE: d", "FROM: f", "TO: t", "SUBJECT: s", "Body: <!DOCTYPE html><HTML><head>", "<style>",
                     "  body { font: 12px; } /* 見出しの書式 */"_sj, "</style>", "<script>alert(\"ようこそ\");</script>"_sj,
                     "</head><body><!-- 隠れた注記 -->"_sj, "<p>お客様&nbsp;各位</p>"_sj,
                     "<p>1,000円 &lt;税込&gt; 送料無料</p><p>Ａ社 A &amp; B</p>最後の文"_sj, "</body></HTML>", "FILE:",
                     std::string(exchange::kEndLine)});
    p.start();
    p.open_received(0);
    EXPECT_EQ(p.text("EDIT8"), "お客様 各位\r\n1,000円 <税込> 送料無料\r\nＡ社 A & B\r\n最後の文\r\n"_sj);
}

}  // namespace
}  // namespace tv::viewer::test
