// The HTML body as text: one table of lines and what each adds.
#include <gtest/gtest.h>

#include "common/exchange_files.h"
#include "platform/events.h"
#include "viewer/html_conversion.h"
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
        {"text after the last tag is lost", "<b>" + word + "</b>" + jp, word + "\r\n"},
        {"closing tag and <br>", "<b>" + word + "</b><br>", word + "\r\n\r\n"},
        {"<Br> is just a tag", jp + "<Br>" + word, jp + "\r\n"},
        {"<BR> breaks", jp + "<BR>", jp + "\r\n\r\n"},
        {"a tag going on in the next line", word + " <a href=\"x", word + " \r\n"},
        {"the end of a tag begun before", "class=\"x\">" + word + "<br>", word + "\r\n\r\n"},
        // Entities.
        {"&nbsp; cuts", jp + "&nbsp;" + word, jp + "\r\n"},
        {"&lt; cuts", jp + "&lt;" + word, jp + "\r\n"},
        {"the earliest entity cuts", jp + "&nbsp;x&gt;" + word, jp + "\r\n"},
        {"a line that begins with &nbsp;", "&nbsp;" + jp, "\r\n"},
        {"other entities and upper case pass", jp + "&amp;&GT;", jp + "&amp;&GT;\r\n"},
        // The 149-byte cut.
        {"75 double-byte characters", repeat("あ"_sj, 75), repeat("あ"_sj, 74) + "\x82\r\n"},
        {"148 ASCII bytes and a double-byte character", std::string(148, 'a') + "あ"_sj, ""},
        // At most 50 passes of the inner-tag step.
        {"60 inner tags", jp + repeat("<>", 60) + word + "<>", jp + repeat("<>", 10) + word + "\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(convert_html_line(c.line), c.out) << c.name;
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

}  // namespace
}  // namespace tv::viewer::test
