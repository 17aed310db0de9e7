// The To texts the program writes itself, by a reply, the destination picker and a mail reopened
// from the unsent list, are read by the mail component's recipient reader as they stand and sent.
#include <gtest/gtest.h>

#include "common/sjis.h"
#include "compose_fixture.h"
#include "mail/transfer/addresses.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using Lines = std::vector<std::string>;

const std::string kStored = "20261201100000_DEL_SOUSIN.txt";

struct RecipientTextsTest : ::testing::Test, ComposeFixture {
    RecipientTextsTest() {
        // Senders registered from mails that gave no display name: the book holds the address as the
        // name. And names that hold what reads as a list or as a second address.
        h.write_lines("SYSTEM_F\\ADDRESS.txt", {"\" \",\" \"", "\"plain@example.net\",\"plain@example.net\"",
                                                "\"info@bank.example, support\",\"help@bank.example\"",
                                                "\"<Boss>\",\"boss@example.jp\"",
                                                "\"営業部: 佐藤; 東京 (本社\",\"sato@example.jp\""_sj});
        h.write_lines("JUSINBOX\\20261201_100000.eml", {"DATE: 2026/12/01 10:00:00", "FROM: plain@example.net",
                                                        "TO: taro@example.jp", "SUBJECT: hello", "Body: hi", "FILE:"});
        // Kept as unsent by an earlier run, with the To text a reply gave it then.
        h.write_lines("SYSTEM_F\\BADSOU\\" + kStored, {"TO:plain@example.net<plain@example.net>",
                                                       "FROM:Taro<taro@example.jp>", "SUBJECT:kept", "body", "FILE:",
                                                       "MAIL_END"});
        EXPECT_TRUE(start());
    }
    static std::string to_box() { return box("EDIT12").text; }
    // The component takes the To text whole, as one recipient at the listed address.
    static void expect_sent_to(const std::string& to, const std::string& address) {
        std::vector<mail::Mailbox> recipients;
        ASSERT_NO_THROW(recipients = mail::parse_recipients(to)) << to;
        ASSERT_EQ(recipients.size(), 1u) << to;
        EXPECT_EQ(recipients[0].address, address) << to;
    }
    void send() {
        h.boxes().clear();
        h.click("FORM9", "BUTTON27");
        EXPECT_TRUE(h.boxes().shown().empty());
        EXPECT_FALSE(pf::forms().is_loaded("FORM9"));
    }
};

TEST_F(RecipientTextsTest, AReplyToASenderNamedByItsAddress) {
    main().control("LIST3").select(0);
    h.run_trapped([] { pf::handlers().run("BUTTON32_ON"); });
    h.settle();
    tick();
    EXPECT_EQ(to_box(), "plain@example.net<plain@example.net>");
    expect_sent_to(to_box(), "plain@example.net");
    send();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0][0], "TO:plain@example.net<plain@example.net>");
}

TEST_F(RecipientTextsTest, EveryEntryOfThePicker) {
    open_compose();
    const struct {
        std::string to, address;
    } chosen[] = {
        {"Boss<boss@example.jp>", "boss@example.jp"},
        {"info@bank.example. support<help@bank.example>", "help@bank.example"},
        {"plain@example.net<plain@example.net>", "plain@example.net"},
        // A name that would read as a group, a second part or an open comment goes in quotes.
        {"\"営業部: 佐藤; 東京 (本社\"<sato@example.jp>"_sj, "sato@example.jp"},
    };
    for (int row = 0; row < 4; ++row) {
        h.click("FORM9", "BUTTON26");
        pf::input::double_click_row(pf::form("FORM10").control("LIST13"), row);
        h.settle();
        tick();
        EXPECT_EQ(to_box(), chosen[row].to);
        expect_sent_to(to_box(), chosen[row].address);
    }
}

TEST_F(RecipientTextsTest, AMailReopenedFromTheUnsentList) {
    h.click("MAINFORM", "BUTTON72");
    pf::input::double_click_row(pf::form("FORM10").control("LIST30"), 0);
    h.settle();
    ASSERT_TRUE(pf::forms().is_loaded("FORM9"));
    EXPECT_FALSE(box("EDIT12").enabled);
    expect_sent_to(to_box(), "plain@example.net");
    send();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(h.exists("SYSTEM_F\\BADSOU\\" + kStored));
}

}  // namespace
}  // namespace tv::test
