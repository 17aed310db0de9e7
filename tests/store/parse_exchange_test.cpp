#include "store/parse_exchange.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/exchange_files.h"
#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::store {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

const std::string kEnd(exchange::kEndLine);
const std::string kRequest = "JUSINBOX\\20261210_090000.eml";

std::vector<std::string> result_lines(const std::string& subject = "SUBJECT: hello") {
    return {"DATE: 2026/12/10 09:00:00", "FROM: a <a@example.jp>", "TO: b@example.jp", subject, "Body: hi", "FILE:", kEnd};
}

struct ExchangeTest : ::testing::Test {
    test::Harness h;
    ExchangeTest() {
        h.make_folder("SYSTEM_F");
        h.make_folder("JUSINBOX");
    }
    // The script writes the result when it runs.
    void script_writes(const std::string& bytes, const char* script = "sam046.wsf") {
        h.scripts().on(script, [this, bytes] { h.write(exchange::kParseResultFile, bytes); });
    }
    ParseResult parse(ParseCaller caller = ParseCaller::Rebuild) {
        ParseResult result;
        h.run([&] { result = PARSE_MAIL(kRequest, caller); });
        return result;
    }
};

TEST_F(ExchangeTest, CompleteAtTheFirstPollCostsOnlyThePausesBeforeTheLaunch) {
    h.write(exchange::kRequestFile, "old1\r\nold2\r\nold3\r\n");  // a stale request of several lines
    h.write(exchange::kParseResultFile, "stale");
    script_writes(test::crlf(result_lines()));
    std::string request_seen;
    h.scripts().on("sam046.wsf", [&] {
        request_seen = h.read(exchange::kRequestFile);
        EXPECT_EQ(h.clock().paused_ms(), 80);  // 4 x 20 ms before the script starts
        h.write(exchange::kParseResultFile, test::crlf(result_lines()));
    });
    ParseResult r = parse();
    EXPECT_EQ(request_seen, kRequest + "\r\n");
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.count(), 7u);
    EXPECT_EQ(r.lines().back(), kEnd);
    EXPECT_EQ(h.clock().paused_ms(), 80);
    EXPECT_EQ(r.attachment_flag(), " ");
    EXPECT_EQ(r.body_lines(), std::vector<std::string>{"Body: hi"});
    EXPECT_FALSE(h.program_ended());
}

TEST_F(ExchangeTest, ResultAfterEmptyPollsCostsFortyMillisecondsEach) {
    for (int k : {1, 7, 1000}) {
        h.clock().reset_pauses();
        bool launched = false;
        int waits = 0;
        h.scripts().on("sam046.wsf", [&] { launched = true; });
        h.clock().on_sleep = [&](int) {
            if (launched && ++waits == 2 * k) h.write(exchange::kParseResultFile, test::crlf(result_lines()));
        };
        ParseResult r = parse();
        EXPECT_TRUE(r.complete()) << k;
        EXPECT_EQ(h.clock().paused_ms(), 80 + 40 * k) << k;
        h.clock().on_sleep = nullptr;
    }
    EXPECT_FALSE(h.program_ended());
}

TEST_F(ExchangeTest, NoResultStopsTheProgramAfterTheBound) {
    pf::forms().load("FORM5");
    pf::form("MAINFORM").pointer = pf::MousePointer::Hourglass;
    parse();
    EXPECT_TRUE(h.program_ended());
    EXPECT_EQ(h.clock().paused_ms(), 80 + 40020);
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_EQ(pf::form("MAINFORM").pointer, pf::MousePointer::Arrow);
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    const auto& box = h.boxes().shown()[0];
    EXPECT_EQ(box.title, "タルベノールメーラー Ver.2.12"_sj);
    EXPECT_EQ(box.text, "スクリプトが停止しました。      \r\nプログラムを終了します。   "_sj);
    EXPECT_EQ(box.buttons, pf::MsgButtons::Ok);
    EXPECT_EQ(box.icon, pf::MsgIcon::Information);
    EXPECT_EQ(h.read(exchange::kRequestFile), kRequest + "\r\n");  // the request stays on disk
}

TEST_F(ExchangeTest, BlankFirstLineStopsAlthoughTheEndLineCame) {
    auto lines = result_lines();
    lines[0] = " \x81\x40 ";
    script_writes(test::crlf(lines), "sam047.wsf");
    parse(ParseCaller::MainListRepair);
    EXPECT_TRUE(h.program_ended());
}

TEST_F(ExchangeTest, EndLineAloneIsAResultWithoutContent) {
    script_writes(kEnd + "\r\n");
    ParseResult r = parse();
    EXPECT_FALSE(h.program_ended());
    EXPECT_EQ(r.count(), 1u);
    EXPECT_TRUE(r.without_content());
}

TEST_F(ExchangeTest, EndLineIsTheFirstThirtyBytesExactly) {
    struct Case { std::string last; bool complete; };
    for (auto c : std::vector<Case>{{kEnd + "trailing", true}, {" " + kEnd, false},
                                    {"enddayoppi_akasata_honyohoynyo", false}}) {
        auto lines = result_lines();
        lines.back() = c.last;
        lines.push_back("after");
        script_writes(test::crlf(lines));
        ParseResult r = parse(ParseCaller::RegisterOrReply);
        EXPECT_EQ(r.complete(), c.complete) << c.last;
        EXPECT_EQ(r.count(), c.complete ? 7u : 8u) << c.last;
    }
}

TEST_F(ExchangeTest, ResultsAreCutAtTheMaximumLineCount) {
    for (bool end_line_at_9999 : {false, true}) {
        std::vector<std::string> lines = result_lines();
        lines.pop_back();
        while (lines.size() < (end_line_at_9999 ? 9998u : 10000u)) lines.push_back("x");
        if (end_line_at_9999) lines.push_back(kEnd);
        script_writes(test::crlf(lines));
        ParseResult r = parse();
        EXPECT_EQ(r.count(), 9998u);
        EXPECT_EQ(r.status(), ParseResult::Status::Cut);
        EXPECT_EQ(r.lines().back(), "x");
    }
    EXPECT_FALSE(h.program_ended());
}

TEST_F(ExchangeTest, IncompleteResultIsReadAgainUntilItEnds) {
    auto lines = result_lines();
    auto partial = lines;
    partial.resize(4);
    int reads = 0;
    h.scripts().on("sam046.wsf", [&] { h.write(exchange::kParseResultFile, test::crlf(partial)); });
    h.clock().on_sleep = [&](int) {
        if (++reads == 8) h.write(exchange::kParseResultFile, test::crlf(lines));  // completed later
    };
    ParseResult r = parse();
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.count(), 7u);
    EXPECT_EQ(h.clock().pauses().back(), 20);
}

TEST_F(ExchangeTest, IncompleteForeverIsBoundedLikeAMissingResult) {
    auto partial = result_lines();
    partial.resize(5);
    script_writes(test::crlf(partial));
    // A form that does not stop returns what it read, marked as cut short.
    ParseResult r = parse(ParseCaller::Receive);
    EXPECT_EQ(r.status(), ParseResult::Status::CutShort);
    EXPECT_EQ(r.count(), 5u);
    EXPECT_FALSE(h.program_ended());
    // A stopping form returns it too, since its line 1 is not blank.
    r = parse(ParseCaller::Rebuild);
    EXPECT_EQ(r.status(), ParseResult::Status::CutShort);
    EXPECT_FALSE(h.program_ended());
    // Unbounded in the Part, bounded here: the registration form gives up without a pause.
    h.scripts().on("sam046.wsf", [] {});
    r = parse(ParseCaller::RegisterOrReply);
    EXPECT_EQ(r.status(), ParseResult::Status::CutShort);
    EXPECT_EQ(r.count(), 0u);
}

TEST_F(ExchangeTest, NestedCallFromAPumpedEventIsRefused) {
    ParseResult nested;
    std::string request_during_nested;
    pf::handlers().set("NESTED", [&] {
        nested = PARSE_MAIL("JUSINBOX\\other.eml", ParseCaller::Viewer);
        request_during_nested = h.read(exchange::kRequestFile);
    });
    pf::event_queue().post("NESTED");
    script_writes(test::crlf(result_lines()));
    ParseResult r = parse(ParseCaller::RegisterOrReply);  // pumps events in every poll
    EXPECT_TRUE(r.complete());
    EXPECT_TRUE(nested.refused());
    EXPECT_EQ(request_during_nested, kRequest + "\r\n");
    EXPECT_EQ(h.scripts().total_starts(), 1);
    EXPECT_FALSE(parse_exchange_running());
}

TEST_F(ExchangeTest, CloseRequestDuringTheWaitRunsAtOnceButNoQueuedEvent) {
    bool queued_ran = false, close_ran = false;
    pf::handlers().set("TIMER1_TIMER", [&] { queued_ran = true; });
    pf::event_queue().post("TIMER1_TIMER");
    h.scripts().on("sam046.wsf", [&] {
        h.platform.window_system.post_message([&] { close_ran = true; });  // the user closes the main window
        h.write(exchange::kParseResultFile, test::crlf(result_lines()));
    });
    ParseResult r = parse(ParseCaller::Rebuild);
    EXPECT_TRUE(r.complete());
    EXPECT_TRUE(close_ran);
    EXPECT_FALSE(queued_ran);
    EXPECT_EQ(pf::event_queue().size(), 1u);
}

TEST_F(ExchangeTest, ScriptThatCannotStartRaisesARuntimeError) {
    h.scripts().fail_to_start("sam047.wsf");
    try {
        PARSE_MAIL(kRequest, ParseCaller::MainListRepair);
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::kBadName);
    }
    EXPECT_FALSE(parse_exchange_running());
}

TEST(ParseExchange, RequestPathIsTheFolderAndTheTrimmedName) {
    EXPECT_EQ(request_path("GOMIBAKO\\JUSIN_FO", "  a b.eml \x81\x40"), "GOMIBAKO\\JUSIN_FO\\a b.eml");
}

}  // namespace
}  // namespace tv::store
