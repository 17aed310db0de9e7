// The received-mail views on parse results as the script leaves them, and the views of the trash
// and the folders.
#include <gtest/gtest.h>

#include "common/exchange_files.h"
#include "common/paths.h"
#include "viewer/received_view.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

const std::string kEnd(exchange::kEndLine);

Strings result(const Strings& body, const Strings& files = {"FILE:"}, bool end = true) {
    Strings lines{"DATE: Tue, 1 Dec 2026 10:00:00 +0900", "FROM: Sender <s@example.jp>", "TO: me@example.jp",
                  "SUBJECT: Hello"};
    for (std::size_t i = 0; i < body.size(); ++i) lines.push_back(i == 0 ? "Body: " + body[i] : body[i]);
    lines.insert(lines.end(), files.begin(), files.end());
    if (end) lines.push_back(kEnd);
    return lines;
}

TEST(ReceivedView, ResultsAsTheScriptLeavesThem) {
    struct Case {
        const char* name;
        Strings lines;
        std::string body;
        Strings items;
    };
    Strings long_result = result({"first"}, {}, false);
    for (int i = 0; i < 10100; ++i) long_result.push_back("line " + std::to_string(i));
    std::string long_body = "first\r\n";
    for (int i = 0; i < 9998 - 5; ++i) long_body += "line " + std::to_string(i) + "\r\n";
    std::vector<Case> cases{
        {"complete, end line with more after it", [] { auto l = result({"a", "b"}); l.back() += "xyz"; return l; }(),
         "a\r\nb\r\n", {}},
        {"cut short: no end line", result({"a", "b"}, {"File: TENPFIL\\x.txt"}, false), "a\r\nb\r\n", {"x.txt "}},
        {"over 9,998 lines: the first 9,998", long_result, long_body, {}},
        {"File: inside the body", result({"a", "File: TENPFIL\\inner.pdf", "body: b"}, {"FILE:"}), "a\r\nb\r\n",
         {"inner.pdf "}},
    };
    for (const auto& c : cases) {
        ViewerProgram p(1);
        p.parse_answers(c.lines);
        p.start();
        p.open_received(0);
        ASSERT_TRUE(p.loaded("FORM3")) << c.name;
        EXPECT_FALSE(p.h.program_ended()) << c.name;
        EXPECT_EQ(p.text("EDIT8"), c.body) << c.name;
        EXPECT_EQ(p.viewer().control("LIST4").items(), c.items) << c.name;
        EXPECT_EQ(p.text("EDIT22"), "Hello") << c.name;
        EXPECT_EQ(p.h.scripts().starts("sam046.wsf"), 1) << c.name;
        EXPECT_TRUE(p.viewer().enabled) << c.name;
    }
}

TEST(ReceivedView, ABlankFirstLineEndsTheProgramWithTheViewersMessage) {
    ViewerProgram p(1);
    p.parse_answers({"", "FROM: x", kEnd});
    p.start();
    p.open_received(0);
    ASSERT_TRUE(p.h.program_ended());
    ASSERT_EQ(p.h.boxes().shown().size(), 1u);
    const auto& box = p.h.boxes().shown()[0];
    EXPECT_EQ(box.owner, "FORM3");
    EXPECT_EQ(box.title, program_caption());
    EXPECT_EQ(box.text, "スクリプトが停止しました。      "_sj + "\r\n" + "プログラムを終了します。   "_sj);
}

TEST(ReceivedView, HeaderSubjectAndSenderRules) {
    ViewerProgram p(1);
    std::string subject = std::string(129, 's') + "\x82\xA0" + "tail";  // a double-byte character across byte 130
    Strings lines = result({"hi"});
    lines[1] = "FROM: \"Name \\(x\\)\" <a@b.jp> \x83\x5C";  // ソ ends in a backslash byte
    lines[3] = "SUBJECT:  " + subject + "  ";
    p.parse_answers(lines);
    p.start();
    p.open_received(0);
    EXPECT_EQ(p.text("EDIT15"), "\"Name (x)\" <a@b.jp> \x83\x5C");
    EXPECT_EQ(p.text("EDIT22"), subject);  // whole in the box
    EXPECT_EQ(p.viewer().caption, std::string(129, 's') + "  *** 受信メール ***"_sj);
    EXPECT_EQ(globals().VIEW_SUBJECT, std::string(129, 's') + " ");
    EXPECT_EQ(cleaned_sender_line("a\\b"), "a\\b");  // without "\(" or "\)" backslashes stay
}

TEST(ReceivedView, AttachmentsAreSizedOnlyInsideTheAttachmentFolder) {
    ViewerProgram p(1);
    p.parse_answers(result({"hi"}, {"File: TENPFIL\\small.txt", "FILE: TENPFIL\\big.bin", "File: TENPFIL\\gone.doc",
                                    "File: TENPFIL\\..\\JUSINBOX\\" + mail_name(1), "FILE: TENPFIL\\"}));
    p.h.write("TENPFIL\\small.txt", std::string(999, 'x'));
    p.h.write("TENPFIL\\big.bin", std::string(1500, 'x'));
    p.start();
    p.open_received(0);
    EXPECT_EQ(p.viewer().control("LIST4").items(),
              (Strings{"small.txt  (999byte)", "big.bin  (2KB)", "gone.doc ", "..\\JUSINBOX\\" + mail_name(1) + " "}));
    EXPECT_TRUE(p.viewer().control("BUTTON22").enabled);
}

TEST(ReceivedView, AnHtmlMailIsAnnounced) {
    for (auto [name, body, html] : {std::tuple{"<HTML> in the first line", Strings{"<html><body>", "x"}, true},
                                    std::tuple{"</HTML> later", Strings{"x", "</html>"}, true},
                                    std::tuple{"<HTML> only later", Strings{"x", "<html>"}, false}}) {
        ViewerProgram p(1);
        p.parse_answers(result(body));
        p.start();
        p.open_received(0);
        ASSERT_EQ(p.h.boxes().shown().size(), html ? 1u : 0u) << name;
        if (!html) continue;
        const auto& box = p.h.boxes().shown()[0];
        EXPECT_EQ(box.title, "HTML形式"_sj);
        EXPECT_NE(box.text.find("「メールソフトから開く」"_sj), std::string::npos);
        EXPECT_EQ(box.owner, "FORM3");
    }
}

TEST(ReceivedView, TrashAndFolderViews) {
    struct Case {
        int mode, folder_no;
        const char* request;  // empty: nothing parsed
    };
    std::string s119(119, 'a'), s120(120, 'a');
    for (auto c : {Case{3, 0, "GOMIBAKO\\JUSIN_FO\\"}, Case{5, 3, "SYSTEM_F\\FORDA_FO\\HOBBY\\JUSIN_FO\\"},
                   Case{5, 0, ""}, Case{5, 7, ""}}) {
        for (const auto& subject : {s119, s120, std::string("abcde")}) {
            ViewerProgram p(1);
            Strings lines = result({"hi"});
            lines[3] = "SUBJECT: " + subject;
            p.parse_answers(lines);
            p.start();
            globals().FOLDER_NO = c.folder_no;
            p.h.write("SYSTEM_F\\CHECK.txt", "old\r\n");
            p.open_view(c.mode, " " + mail_name(1) + " ");
            ASSERT_FALSE(p.h.program_ended());
            pf::Form& v = p.viewer();
            EXPECT_FALSE(v.control("BUTTON88").visible);
            EXPECT_TRUE(v.control("BUTTON22").enabled && v.control("BUTTON23").enabled);
            if (*c.request == 0) {
                // No folder: an empty view, nothing read from the disk's root.
                EXPECT_EQ(p.h.scripts().starts("sam046.wsf"), 0);
                EXPECT_EQ(p.text("EDIT22"), "");
                break;
            }
            EXPECT_EQ(p.h.read("SYSTEM_F\\CHECK.txt"), c.request + mail_name(1) + "\r\n");
            EXPECT_EQ(p.text("EDIT22"), subject.size() <= 119 ? subject : std::string(116, 'a') + "\xA5\xA5\xA5");
            EXPECT_EQ(globals().VIEW_SUBJECT.size(), std::min<std::size_t>(subject.size() + 118, 130));
            EXPECT_EQ(v.caption, subject + "  *** 受信メール ***"_sj);
        }
    }
}

}  // namespace
}  // namespace tv::viewer::test
