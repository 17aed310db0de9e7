// Printing the shown mail into the recording printer.
#include <gtest/gtest.h>

#include "platform/events.h"
#include "viewer/mail_print.h"
#include "viewer/print_font.h"
#include "viewer/print_lines.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

using Printer = pf::headless::RecordingPrinter;

struct PrintTest : ::testing::Test {
    ViewerProgram p;
    void SetUp() override { p.start(); }
    Printer& printer() { return p.h.platform.printer; }
    // The received mail 1 with these body lines (and attachments), shown in the viewer.
    void show(const Strings& body, const Strings& attachments = {}) {
        Strings lines{"DATE: Tue, 1 Dec 2026", "FROM:  Sender <s@x.jp> ", "TO: me@x.jp", "SUBJECT: Report"};
        for (std::size_t i = 0; i < body.size(); ++i) lines.push_back(i == 0 ? "Body: " + body[i] : body[i]);
        for (const auto& a : attachments) lines.push_back("File: TENPFIL\\" + a);
        if (attachments.empty()) lines.push_back("FILE:");
        lines.emplace_back("ENDDAYOPPI_AKASATA_HONYOHOYNYO");
        p.parse_answers(lines);
        p.open_received(0);
        ASSERT_TRUE(p.loaded("FORM3"));
    }
    void print() { p.h.click("FORM3", "BUTTON53"); }
    static Strings texts(const Printer::Page& page) {
        Strings out;
        for (const auto& row : page) out.push_back(row.text);
        return out;
    }
};

Strings numbered(int n, const std::string& prefix = "line ") {
    Strings lines;
    for (int i = 1; i <= n; ++i) lines.push_back(prefix + std::to_string(i));
    return lines;
}

TEST_F(PrintTest, PagesBreakByTheLinesOfEachSize) {
    struct Case { const char* radio; double points; int first_page_last_line, page_lines; };
    for (auto c : {Case{"RADIO9", 8, 89, 94}, Case{"RADIO10", 10, 69, 74}, Case{"RADIO11", 12, 57, 62}}) {
        show(numbered(200));
        p.h.click("FORM3", c.radio);
        print();
        ASSERT_EQ(printer().documents().size(), 1u) << c.points;
        const auto& doc = printer().documents()[0];
        EXPECT_EQ(doc.name, "PRINTER");
        EXPECT_TRUE(doc.ended);
        const auto& page1 = doc.pages.at(0);
        Strings page1_texts = texts(page1);
        Strings head(page1_texts.begin(), page1_texts.begin() + 7);
        EXPECT_EQ(head, (Strings{"", "   差出人： Sender <s@x.jp>"_sj, "   日　時： Tue, 1 Dec 2026"_sj, "   宛  先： me@x.jp"_sj,
                                 "   件  名： Report"_sj, "", "   line 1"}));
        EXPECT_EQ(page1.back().text, "   line " + std::to_string(c.first_page_last_line)) << c.points;
        const auto& page2 = doc.pages.at(1);
        EXPECT_EQ(texts(page2)[3], "   line " + std::to_string(c.first_page_last_line + 1)) << c.points;
        EXPECT_EQ(page2.size(), static_cast<std::size_t>(3 + c.page_lines)) << c.points;
        for (const auto& page : doc.pages) {
            // Every row of a page lies inside the 822 points Qt's default margins leave on A4.
            EXPECT_LE(page.size() * c.points, 822.0) << c.points;
            for (const auto& row : page) {
                EXPECT_EQ(row.face, "ＭＳ 明朝"_sj);
                EXPECT_EQ(row.points, c.points);
            }
        }
        EXPECT_EQ(doc.pages.back().back().text, "");  // the blank row after the body
        EXPECT_EQ(p.h.platform.sound.beeps, 1);
        EXPECT_FALSE(p.loaded("FORM6"));
        EXPECT_TRUE(p.viewer().enabled && p.viewer().topmost);
        p.close_viewer();
        p.h.platform.sound.beeps = 0;
        p.h.platform.printer = Printer{};
    }
}

TEST_F(PrintTest, TheWholeBodyAndItsAttachmentsArePrinted) {
    Strings body = numbered(300, std::string(40, 'x') + " ");  // over 10,000 bytes
    p.h.write("TENPFIL\\a.pdf", "x");
    show(body, {"a.pdf", "b.txt", "c.doc"});
    print();
    Strings all;
    for (const auto& page : printer().documents().at(0).pages) {
        for (const auto& t : texts(page)) all.push_back(t);
    }
    // The body box ends in CR LF: an empty print line follows the last line, then the blank row.
    EXPECT_EQ(all[all.size() - 6], "   " + body.back());
    EXPECT_EQ(all[all.size() - 5], "   ");
    EXPECT_EQ(all[all.size() - 4], "");
    EXPECT_EQ(Strings(all.end() - 3, all.end()),
              (Strings{"   添付ファイル： a.pdf  (1byte)"_sj, std::string(18, ' ') + "b.txt ", std::string(18, ' ') + "c.doc "}));
}

TEST_F(PrintTest, RowsAnLfAddsCountTowardsThePage) {
    Strings body = numbered(100);
    body[9] = "ten\nsplit";  // an LF left inside a line: one more row
    show(body);
    // The view shows the LF as it is; the print line keeps it too.
    print();
    const auto& pages = printer().documents().at(0).pages;
    EXPECT_EQ(pages.at(0).back().text, "   line 88");
    auto rows = [](const Printer::Page& page) {
        std::size_t n = 0;
        for (const auto& row : page) n += 1 + std::count(row.text.begin(), row.text.end(), '\n');
        return n;
    };
    EXPECT_EQ(rows(pages.at(0)), 95u);
    EXPECT_EQ(texts(pages.at(1))[3], "   line 89");
}

// A line wider than the page goes on in the next rows, broken between characters, and the rows
// count towards the page: nothing is cut at the right edge.
TEST_F(PrintTest, ALongLineIsWrappedAndItsRowsCount) {
    Strings body = numbered(100);
    body[0] = std::string(300, 'x');
    body[1] = "";
    for (int i = 0; i < 100; ++i) body[1] += "あ"_sj;  // 200 bytes
    show(body);
    print();
    const auto& pages = printer().documents().at(0).pages;
    Strings page1 = texts(pages.at(0));
    // At 8 points a row of A4 holds 134 half-width characters.
    EXPECT_EQ(Strings(page1.begin() + 6, page1.begin() + 11),
              (Strings{"   " + std::string(131, 'x'), "   " + std::string(131, 'x'), "   " + std::string(38, 'x'),
                       "   " + body[1].substr(0, 130), "   " + body[1].substr(130)}));
    // Three rows more than the lines: the page ends three lines sooner.
    EXPECT_EQ(page1.back(), "   line 86");
    EXPECT_EQ(texts(pages.at(1))[3], "   line 87");
    for (const auto& page : pages) {
        for (const auto& row : page) EXPECT_LE(row.text.size(), 134u);
    }
}

// The paper chosen in the dialog is the one laid out: landscape A4 holds fewer rows, wider ones.
TEST_F(PrintTest, TheChosenPaperIsUsed) {
    printer().printable_width = 785.2;
    printer().printable_height = 538.58;
    Strings body = numbered(200);
    body[0] = std::string(150, 'y');
    show(body);
    print();
    const auto& pages = printer().documents().at(0).pages;
    Strings page1 = texts(pages.at(0));
    EXPECT_EQ(page1.at(6), "   " + std::string(150, 'y'));  // 196 characters a row
    // 67 rows: three for a new page's blanks leave 64 counted lines.
    EXPECT_EQ(page1.back(), "   line 59");
    EXPECT_EQ(pages.at(1).size(), 3u + 64u);
}

TEST_F(PrintTest, CancelAndNoPrinter) {
    show({"hello"});
    printer().answer_next(pf::PrintChoice::Cancelled);
    print();
    EXPECT_TRUE(printer().documents().empty());
    EXPECT_TRUE(p.h.boxes().shown().empty());
    EXPECT_EQ(p.h.platform.sound.beeps, 0);
    EXPECT_TRUE(p.viewer().enabled && p.viewer().topmost);
    EXPECT_EQ(printer().dialogs(), Strings{"FORM3"});

    printer().answer_next(pf::PrintChoice::Failed);
    print();
    EXPECT_EQ(p.titles(), Strings{"PRINT ERROR !"});
    EXPECT_EQ(p.h.platform.sound.beeps, 0);
    EXPECT_FALSE(p.loaded("FORM6"));
    EXPECT_TRUE(p.viewer().enabled && p.viewer().topmost);
}

TEST_F(PrintTest, TheStatusWindowFillsItsBar) {
    show({""});
    // Drawn on the status window while the job runs.
    std::size_t blocks = 0;
    int right = 0;
    bool text_seen = false;
    p.h.clock().on_sleep = [&](int) {
        if (!p.loaded("FORM6")) return;
        blocks = 0;
        for (const auto& op : pf::form("FORM6").drawing()) {
            if (op.kind == pf::DrawOp::Kind::FilledBox && op.fill == pf::Rgb{0, 255, 0}) {
                ++blocks;
                right = std::max(right, op.x2);
            }
            if (op.text == "印刷中です・・・。"_sj) text_seen = true;
        }
    };
    print();
    p.h.clock().on_sleep = nullptr;
    EXPECT_TRUE(text_seen);
    EXPECT_EQ(blocks, 40u);  // a block drawn again covers itself
    EXPECT_EQ(right, 435);
    // An empty body prints as one line of three blanks.
    const auto& page = printer().documents().at(0).pages.at(0);
    EXPECT_EQ(page.at(6).text, "   ");
}

TEST_F(PrintTest, QueuedEventsRunForEachByteCleaned) {
    // An event that queues itself again while the status window shows counts the job's pumps.
    int pumps = 0;
    bool seen = false;
    pf::handlers().set("COUNT", [&] {
        if (p.loaded("FORM6")) {
            seen = true;
            ++pumps;
        }
        if (!seen || p.loaded("FORM6")) pf::event_queue().post("COUNT");
    });
    auto job_pumps = [&](const std::string& line) {
        show({line});
        pumps = 0;
        seen = false;
        pf::event_queue().post("COUNT");
        print();
        p.close_viewer();
        return pumps;
    };
    // Five more bytes before the line's CR: five more pumps, the rest of the job alike.
    EXPECT_EQ(job_pumps("abcdef") - job_pumps("a"), 5);
}

TEST(PrintLines, TheBodySplitAndCleaned) {
    EXPECT_EQ(print_items("a\r\nb"), (Strings{"a", "\nb\r"}));
    EXPECT_EQ(print_items(""), Strings{""});
    EXPECT_EQ(print_items("a\r\n"), (Strings{"a", "\n\r"}));
    EXPECT_EQ(printed_line("\nx\ry\r", false), "x");  // a lone CR ends what is printed
    EXPECT_EQ(printed_line("first", true), "first");
    EXPECT_EQ(print_size(9).page_lines, 94);
}

TEST(PrintLines, RowsOfAWideLine) {
    EXPECT_EQ(print_rows("   abcdefg", 6, "   "), (Strings{"   abc", "   def", "   g"}));
    EXPECT_EQ(print_rows("   あいう"_sj, 8, "   "), (Strings{"   あい"_sj, "   う"_sj}));  // never half a character
    EXPECT_EQ(print_rows("   ab\ncd", 0, "   "), (Strings{"   ab", "     cd"}));  // an LF goes on below
    EXPECT_EQ(print_rows("   abc\nd", 6, "   "), (Strings{"   abc", "   d"}));
    EXPECT_EQ(print_rows("", 6, "   "), Strings{""});
}

}  // namespace
}  // namespace tv::viewer::test
