// The answering mode end to end: the program with the real mail component against the test
// servers, on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "common/answering_settings.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "mail_test_support.h"
#include "parsed_message.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/process_script_host.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

std::string message(const std::string& from, const std::string& subject, const std::string& body) {
    return "From: " + from + "\r\nTo: taro@example.com\r\nSubject: " + subject +
           "\r\nDate: Thu, 10 Dec 2026 08:50:00 +0900\r\n\r\n" + body + "\r\n";
}

// The subjects of delivered messages, sorted: the server names messages of one second in any order.
std::vector<std::string> subjects(const std::vector<std::string>& delivered) {
    std::vector<std::string> out;
    for (const auto& m : delivered) out.push_back(parse_message(m).subject);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> subjects_of(std::vector<std::string> expected) {
    std::sort(expected.begin(), expected.end());
    return expected;
}

TEST(AnsweringEndToEnd, ForwardsRepliesOnceADayAndStopsWhenRestored) {
    TestMailbox mailbox;
    MailFolder folder;
    Harness& h = folder.h;
    folder.write_account(server_account(mailbox));
    ::setenv("TALVENOR_CA_FILE", servers().get("CA_FILE").c_str(), 1);

    std::string phone = unique_name("phone"), hanako = unique_name("hanako"), rejected = unique_name("rejected"),
                seller = unique_name("seller");
    SettingsFields settings = default_answering_settings();
    settings[kInterval] = "60";
    settings[kForwardAddress] = "Phone <" + phone + "@example.com>";
    settings[kForwardStopped] = "0";
    settings[kReplyStopped] = "0";
    settings[kForwardSpamFilter] = "1";
    settings[kReplySpamFilter] = "1";
    settings[kReplyTextFile] = "thanks.txt";
    h.write("SYSTEM_F\\SETTEI\\SETTEI_F.txt", answering_settings_record(settings));
    h.write_lines("SYSTEM_F\\HENSINYOU\\thanks.txt", {"ただいま留守にしております。"_sj, "", "  後ほどご連絡します。"_sj});
    h.write("SYSTEM_F\\TEMPF_HENSIN\\map.txt", "the way to our office\r\n");
    h.write_lines("SYSTEM_F\\KYOHI_ADDRESS.txt", {"\" \",\" \"", "\"Rejected\",\"" + rejected + "@example.com\""});
    h.write_lines("SYSTEM_F\\TOKUTEI.txt", {"casino"});

    mailbox.add({message("Rejected <" + rejected + "@example.com>", "from the reject book", "hello"),
                 message(seller + "@example.com", "big casino night", "come"),
                 message("Hanako <" + hanako + "@example.com>", "lunch", "shall we?")});
    ASSERT_TRUE(h.start());
    pf::ProcessScriptHost scripts(TALVENOR_MAIL_EXE, h.folder);
    pf::services().script_host = &scripts;
    h.boxes().answer_next(pf::MsgAnswer::Yes);
    h.click("MAINFORM", "BUTTON30");
    ASSERT_TRUE(pf::form("MAINFORM").control("TIMER3").timer_enabled);

    // The first check comes on the first tick.
    h.run_until(pf::add_seconds(h.clock().now(), 5));
    EXPECT_EQ(mailbox.count(), 0u);
    EXPECT_EQ(h.rows("MAINFORM", "LIST3").size(), 3u);
    EXPECT_EQ(subjects(delivered_to(phone)), std::vector<std::string>{"<転>lunch"});
    auto replies = delivered_to(hanako);
    ASSERT_EQ(replies.size(), 1u);
    ParsedMessage reply = parse_message(replies[0]);
    EXPECT_EQ(reply.subject, "<返>Ｒｅ：lunch");
    EXPECT_NE(reply.body.find("ただいま留守にしております。\r\n\r\n後ほどご連絡します。"), std::string::npos);
    ASSERT_EQ(reply.attachments.size(), 1u);
    EXPECT_EQ(reply.attachments[0].name, "map.txt");
    EXPECT_EQ(reply.attachments[0].data, "the way to our office\r\n");
    ParsedMessage forward = parse_message(delivered_to(phone)[0]);
    EXPECT_NE(forward.body.find("<差出人>\r\nHanako <" + hanako + "@example.com>\r\n<本文>\r\nshall we?"),
              std::string::npos);
    EXPECT_TRUE(delivered_to(rejected).empty());
    EXPECT_TRUE(delivered_to(seller).empty());
    EXPECT_EQ(pf::form("MAINFORM").caption, "Received！( Talvenor Ririvi Ver.2.12 )"_sj);

    // More mail from the same sender that day: forwarded, not answered again.
    mailbox.add({message(hanako + "@example.com", "one more thing", "and dessert")});
    h.run_until(pf::add_seconds(h.clock().now(), 60));
    EXPECT_EQ(subjects(delivered_to(phone)), subjects_of({"<転>lunch", "<転>one more thing"}));
    EXPECT_EQ(delivered_to(hanako).size(), 1u);

    // The next day the sender is answered again.
    h.clock().advance(24LL * 3600 * 1000);
    mailbox.add({message(hanako + "@example.com", "next day", "hi")});
    h.run_until(pf::add_seconds(h.clock().now(), 60));
    EXPECT_EQ(subjects(delivered_to(hanako)), subjects_of({"<返>Ｒｅ：lunch", "<返>Ｒｅ：next day"}));
    EXPECT_EQ(h.read("SYSTEM_F\\TODAY_HENSIN\\20261211_TODAY_HENSIN.txt"), hanako + "@example.com\r\n");
    EXPECT_TRUE(files::list_folder_files("SYSTEM_F\\BADSOU").empty());

    // Restoring the window stops the mode.
    h.boxes().clear();
    pf::input::set_minimized(pf::form("MAINFORM"), false);
    h.settle();
    ASSERT_EQ(h.boxes().shown().size(), 1u);
    EXPECT_EQ(h.boxes().shown()[0].title, "タルベノール停止"_sj);
    EXPECT_FALSE(pf::form("MAINFORM").control("TIMER3").timer_enabled);
    std::size_t forwards = delivered_to(phone).size();
    mailbox.add({message(hanako + "@example.com", "after the stop", "x")});
    h.run_until(pf::add_seconds(h.clock().now(), 120));
    EXPECT_EQ(delivered_to(phone).size(), forwards);
    EXPECT_EQ(mailbox.count(), 1u);
}

}  // namespace
}  // namespace tv::test
