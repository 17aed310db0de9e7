// Replying to the sender of a mail of the receive box, the trash or a folder: the recipient from
// the address book, the reply subject, the quote, and the compose window they open.
#include <gtest/gtest.h>

#include "common/exchange_files.h"
#include "common/sjis.h"
#include "compose_fixture.h"
#include "store/folder_places.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using Lines = std::vector<std::string>;

Lines mail(const std::string& from, const std::string& subject, const Lines& body) {
    Lines lines{"DATE: 2026/12/01 10:00:00", "FROM: " + from, "TO: taro@example.jp", "SUBJECT: " + subject};
    for (std::size_t i = 0; i < body.size(); ++i) lines.push_back(i == 0 ? "Body: " + body[i] : body[i]);
    lines.push_back("FILE:");
    return lines;
}

const Lines kPlain = mail("Hanako Yamada <hanako@example.jp>", "hello", {"line 1", "  line 2  ", "body: three"});
const Lines kHtml = mail("news@example.jp", "news",
                         {"<HTML>", "<!-- a comment -->", "<p>詳しくはこちら</p>"_sj, "<body>", "Plain HTML sentence",
                          "今日は 12 月です abc"_sj, "", "本当？"_sj, "</html>"});
const Lines kAfterDocument = mail("Shop <shop@example.jp>", "order",
                                  {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">", "<html>", "<p>x</p>",
                                   "</HTML>", "after the document", "日本語の行"_sj});

struct ReplyTest : ::testing::Test, ComposeFixture {
    ReplyTest() {
        h.write_lines("SYSTEM_F\\ADDRESS.txt", {"\" \",\" \"", "\"Yamada, Hanako\",\"hanako@example.jp\"",
                                                "\"Shop\",\"SHOP@example.jp\""});
        h.write_lines("JUSINBOX\\20261201_100000.eml", kPlain);
        h.write_lines("JUSINBOX\\20261201_100001.eml", kHtml);
        h.write_lines("JUSINBOX\\20261201_100002.eml", kAfterDocument);
        EXPECT_TRUE(start());
    }
    static pf::Control& receive_list() { return main().control("LIST3"); }
    void reply_to_row(int row) {
        receive_list().select(row);
        h.boxes().clear();
        h.run_trapped([] { pf::handlers().run("BUTTON32_ON"); });
        h.settle();
    }
    // A trash or folder window with its lists filled by the test.
    void show_place_window(int folder_no, const std::string& name) {
        const auto& lists = store::folder_place(folder_no).lists;
        pf::forms().load(lists.window);
        h.settle();
        pf::Form& f = pf::form(lists.window);
        f.show();
        for (const char* list : {lists.received_list, lists.received_files}) {
            if (!f.has(list)) f.add(list, pf::ControlKind::ListBox);
        }
        f.control(lists.received_list).set_items({"a row of the mail"});
        f.control(lists.received_files).set_items({name});
        f.control(lists.received_list).select(0);
    }
};

TEST_F(ReplyTest, HandsOverTheBookNameTheSubjectAndThePlainQuote) {
    reply_to_row(0);
    EXPECT_EQ(h.read("SYSTEM_F\\CHECK.txt"), "JUSINBOX\\20261201_100000.eml\r\n");
    EXPECT_EQ(globals().MAIL_FILE_NAME, "20261201_100000.eml");
    EXPECT_EQ(h.read("SYSTEM_F\\ATESAKI.txt"), "Yamada. Hanako<hanako@example.jp>\r\n");
    EXPECT_EQ(*files::read_lines("SYSTEM_F\\HENSIN.txt"), (Lines{"Ｒｅ：hello"_sj, " ", ">line 1", ">  line 2  ", ">three"}));
    ASSERT_TRUE(pf::forms().is_loaded("FORM9"));
    EXPECT_TRUE(compose().visible);
    EXPECT_TRUE(main().enabled);
    EXPECT_EQ(main().pointer, pf::MousePointer::Arrow);
    EXPECT_EQ(globals().REPLY_FROM_TRASH + globals().REPLY_FROM_FOLDER, 0);

    tick();
    EXPECT_EQ(box("EDIT12").text, "Yamada. Hanako<hanako@example.jp>");
    EXPECT_EQ(box("EDIT14").text, "Ｒｅ：hello"_sj);
    EXPECT_EQ(box("EDIT11").text, "  \r\n  \r\n  \r\n>line 1\r\n>  line 2\r\n>three\r\n");

    // Composing: a second reply is refused.
    reply_to_row(1);
    EXPECT_EQ(titles(), Lines{"作成中"_sj});
}

TEST_F(ReplyTest, QuotesOfHtmlMails) {
    struct Case {
        int row;
        std::string recipient;
        Lines draft;
    };
    const Case cases[] = {
        {1, "news@example.jp", {"Ｒｅ：news"_sj, " ", ">Plain HTML sentence", ">今日は月です"_sj, ">"}},
        // The book's address differs in letter case: no name.
        {2, "shop@example.jp", {"Ｒｅ：order"_sj, " ", ">after the document", ">日本語の行"_sj}},
    };
    for (const auto& c : cases) {
        reply_to_row(c.row);
        EXPECT_EQ(h.read("SYSTEM_F\\ATESAKI.txt"), c.recipient + "\r\n") << c.row;
        EXPECT_EQ(*files::read_lines("SYSTEM_F\\HENSIN.txt"), c.draft) << c.row;
        EXPECT_TRUE(close("FORM9")) << c.row;
    }
}

TEST_F(ReplyTest, ALongSubjectIsShortenedAndAnUnreadableMailRefused) {
    std::string subject = std::string(115, 's') + "件名件"_sj;  // a character across byte 116
    h.write_lines("JUSINBOX\\20261201_100000.eml", mail("a@example.jp", subject, {"x"}));
    reply_to_row(0);
    EXPECT_EQ(files::read_lines("SYSTEM_F\\HENSIN.txt")->front(), "Ｒｅ："_sj + std::string(115, 's') + " ･･･"_sj);
    EXPECT_TRUE(close("FORM9"));

    // The parse script writes nothing: the reply gives up.
    h.scripts().on("sam046.wsf", [] {});
    reply_to_row(0);
    EXPECT_EQ(titles(), Lines{"NOT READ !"});
    EXPECT_EQ(h.boxes().shown()[0].text, "メールを読み込めませんでした。   "_sj);
    EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
    EXPECT_TRUE(main().enabled);
    EXPECT_EQ(globals().ATESAKI_PENDING, 0);

    receive_list().select(-1);
    h.boxes().clear();
    h.run_trapped([] { pf::handlers().run("BUTTON32_ON"); });
    EXPECT_EQ(titles(), Lines{"NOT SELECT"});
}

TEST_F(ReplyTest, FromTheTrashAndAFolder) {
    const std::string name = "20261201_100000.eml";
    h.write_lines("GOMIBAKO\\JUSIN_FO\\" + name, kPlain);
    h.write_lines("SYSTEM_F\\FORDA_FO\\HOBBY\\JUSIN_FO\\" + name, kPlain);
    reply_to_row(0);
    std::string atesaki = h.read("SYSTEM_F\\ATESAKI.txt");
    std::string hensin = h.read("SYSTEM_F\\HENSIN.txt");
    EXPECT_TRUE(close("FORM9"));

    main().hide();
    show_place_window(0, name);
    // The window the reply came from takes no input while its mail is read.
    bool enabled_while_read = true;
    h.scripts().on("sam046.wsf", [&] {
        enabled_while_read = pf::form("FORM8").enabled;
        Lines result = kPlain;
        result.emplace_back(exchange::kEndLine);
        h.write_lines(exchange::kParseResultFile, result);
    });
    h.boxes().clear();
    h.run_trapped([] { pf::handlers().run("GOMIBAKO_HENSIN"); });
    h.settle();
    EXPECT_EQ(h.read("SYSTEM_F\\CHECK.txt"), "GOMIBAKO\\JUSIN_FO\\" + name + "\r\n");
    EXPECT_EQ(h.read("SYSTEM_F\\ATESAKI.txt"), atesaki);
    EXPECT_EQ(h.read("SYSTEM_F\\HENSIN.txt"), hensin);
    EXPECT_EQ(globals().REPLY_FROM_TRASH, 1);
    EXPECT_EQ(globals().REPLY_FROM_FOLDER, 0);
    EXPECT_FALSE(enabled_while_read);
    EXPECT_TRUE(pf::form("FORM8").enabled);
    EXPECT_TRUE(pf::forms().is_loaded("FORM9"));
    h.install_fake_parser();
    // Closing the compose window returns to the trash window.
    pf::forms().unload("FORM8");
    EXPECT_TRUE(close("FORM9"));
    EXPECT_TRUE(pf::forms().is_loaded("FORM8"));
    EXPECT_TRUE(pf::form("FORM8").visible);
    EXPECT_FALSE(main().visible);

    // A folder: its own flag, the other cleared.
    globals().FOLDER_NO = 3;
    show_place_window(3, name);
    h.run_trapped([] { pf::handlers().run("FORDA_HENSIN"); });
    h.settle();
    EXPECT_EQ(h.read("SYSTEM_F\\CHECK.txt"), "SYSTEM_F\\FORDA_FO\\HOBBY\\JUSIN_FO\\" + name + "\r\n");
    EXPECT_EQ(h.read("SYSTEM_F\\HENSIN.txt"), hensin);
    EXPECT_EQ(globals().REPLY_FROM_TRASH, 0);
    EXPECT_EQ(globals().REPLY_FROM_FOLDER, 1);
    EXPECT_TRUE(close("FORM9"));
    EXPECT_TRUE(pf::form("FORM16").visible);

    // Which folder is shown is not known: refused before anything is read.
    globals().FOLDER_NO = 0;
    files::remove_file("SYSTEM_F\\CHECK.txt");
    h.boxes().clear();
    h.run_trapped([] { pf::handlers().run("FORDA_HENSIN"); });
    EXPECT_EQ(titles(), Lines{"NOT SELECT"});
    EXPECT_FALSE(h.exists("SYSTEM_F\\CHECK.txt"));
    EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
}

}  // namespace
}  // namespace tv::test
