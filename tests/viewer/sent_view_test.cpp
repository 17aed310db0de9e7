// The sent-mail views: the file read as the send script wrote it.
#include <gtest/gtest.h>

#include "common/address_book.h"
#include "viewer/sent_view.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

TEST(SentView, HeaderLinesBeforeTheBodyAndTrailingAttachments) {
    struct Case {
        const char* name;
        Strings lines;
        SentMail expected;
    };
    std::vector<Case> cases{
        {"as written",
         {"DATE:2026/12/01", "FROM:me <m@x.jp>", "TO:a@x.jp", "SUBJECT:s", "BODY:", "", "b1", "b2", "FILE:/t/a.pdf",
          "FILE:TENPFIL\\b.txt"},
         {"2026/12/01", "me <m@x.jp>", "a@x.jp", "s", {"b1", "b2"}, {"/t/a.pdf", "TENPFIL\\b.txt"}}},
        {"tags in the body are body",
         {"TO:a@x.jp", "SUBJECT:s", "BODY:", "", "TO:evil@x.jp", "FILE:inner", "last", "FILE:"},
         {"", "", "a@x.jp", "s", {"TO:evil@x.jp", "FILE:inner", "last"}, {""}}},
        {"empty body with attachments", {"SUBJECT:s", "BODY:", "", "FILE:/a"}, {"", "", "", "s", {}, {"/a"}}},
        {"no BODY: line", {"SUBJECT:s", "x", "FILE:/a"}, {"", "", "", "s", {"x"}, {"/a"}}},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases) {
        SentMail m = read_sent_mail(c.lines);
        EXPECT_EQ(m.date, c.expected.date) << c.name;
        EXPECT_EQ(m.from, c.expected.from) << c.name;
        EXPECT_EQ(m.to, c.expected.to) << c.name;
        EXPECT_EQ(m.subject, c.expected.subject) << c.name;
        EXPECT_EQ(m.body, c.expected.body) << c.name;
        EXPECT_EQ(m.attachments, c.expected.attachments) << c.name;
    }
}

TEST(SentView, ShowsTheSentMailWithTheBookNameAndDisabledAttachments) {
    ViewerProgram p(2);
    p.h.write_lines(kAddressBook, {"\" \",\" \"", "\"Taro\",\"to2@example.jp\""});
    p.h.write("TENPFIL\\doc.pdf", std::string(1499, 'x'));
    p.h.write_lines("SOUSINBOX\\" + sent_name(2),
                    {"DATE:2026/12/01 20:00:02", "FROM:me <me@example.jp> trailing", "TO: to2@example.jp ",
                     "SUBJECT: sent two ", "BODY:", "", "TO:someone@else.jp", "line", "FILE:TENPFIL\\doc.pdf",
                     "FILE:/no/such/file.txt"});
    p.start();
    p.open_sent(1);
    pf::Form& v = p.viewer();
    EXPECT_EQ(v.caption, "sent two  *** 送信メール ***"_sj);
    EXPECT_EQ(p.text("EDIT15"), "Taro<to2@example.jp>");
    EXPECT_EQ(p.text("EDIT22"), "sent two");
    EXPECT_EQ(p.text("EDIT8"), "TO:someone@else.jp\r\nline\r\n");
    EXPECT_TRUE(p.drawn_raised("FORM3", 25, 55, "差出人 ：  me <me@example.jp>"_sj));
    EXPECT_TRUE(p.drawn_raised("FORM3", 25, 35, "日　時 ：  2026/12/01 20:00:02"_sj));
    EXPECT_EQ(v.control("LIST4").items(), (Strings{"doc.pdf  (1KB)", "file.txt "}));
    for (const char* c : {"LIST4", "BUTTON22", "BUTTON23"}) EXPECT_FALSE(v.control(c).enabled) << c;
    EXPECT_EQ(globals().VIEW_SUBJECT, " sent two ");
    EXPECT_EQ(globals().VIEW_TO, "me <me@example.jp>");
    EXPECT_EQ(globals().VIEW_SENT_ROW, 1);
}

TEST(SentView, TrashAndFolderViewsAndAMissingFile) {
    std::string long_subject(120, 'q');
    ViewerProgram p(1);
    p.h.write_lines("SYSTEM_F\\FORDA_FO\\JOB\\SOUSIN_FO\\" + sent_name(1),
                    {"TO:x@y.jp", "SUBJECT:" + long_subject, "BODY:", "", "b", "FILE:"});
    p.start();
    globals().FOLDER_NO = 1;
    p.open_view(6, sent_name(1));
    EXPECT_EQ(p.text("EDIT22"), std::string(116, 'q') + "\xA5\xA5\xA5");
    EXPECT_EQ(p.viewer().caption, long_subject + "  *** 送信メール ***"_sj);
    EXPECT_EQ(p.text("EDIT8"), "b\r\n");
    p.close_viewer();
    // Gone from the trash: an empty view, no message.
    p.open_view(4, sent_name(1));
    EXPECT_EQ(p.viewer().caption, "  *** 送信メール ***"_sj);
    EXPECT_EQ(p.text("EDIT8"), "");
    EXPECT_TRUE(p.h.boxes().shown().empty());
}

}  // namespace
}  // namespace tv::viewer::test
