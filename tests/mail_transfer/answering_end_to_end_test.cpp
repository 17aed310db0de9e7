// The answering mode end to end: the program with the real mail component against the test
// servers, on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

#include "common/answering_settings.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "harness/file_faults.h"
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
    EXPECT_EQ(forward.to, phone + "@example.com") << "the forward goes to the bare forward address";
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

// The program on the test servers with the answering mode on: every mail forwarded to a phone,
// every sender answered once a day with a reply text.
struct ModeOnServers {
    TestMailbox mailbox;
    MailFolder folder;
    Harness& h = folder.h;
    Account account = server_account(mailbox);
    std::string phone = unique_name("phone");
    std::unique_ptr<pf::ProcessScriptHost> scripts;

    explicit ModeOnServers(bool forward_attachments = false) {
        account.sender_address = unique_name("taro") + "@example.com";
        folder.write_account(account);
        ::setenv("TALVENOR_CA_FILE", servers().get("CA_FILE").c_str(), 1);
        SettingsFields settings = default_answering_settings();
        settings[kInterval] = "60";
        settings[kForwardAddress] = phone + "@example.com";
        settings[kForwardStopped] = "0";
        settings[kReplyStopped] = "0";
        settings[kForwardAttachments] = forward_attachments ? "1" : "0";
        settings[kReplyTextFile] = "thanks.txt";
        h.write("SYSTEM_F\\SETTEI\\SETTEI_F.txt", answering_settings_record(settings));
        h.write_lines("SYSTEM_F\\HENSINYOU\\thanks.txt", {"ただいま留守にしております。"_sj});
        EXPECT_TRUE(h.start());
        scripts = std::make_unique<pf::ProcessScriptHost>(TALVENOR_MAIL_EXE, h.folder);
        pf::services().script_host = scripts.get();
        h.boxes().answer_next(pf::MsgAnswer::Yes);
        h.click("MAINFORM", "BUTTON30");
        EXPECT_TRUE(pf::form("MAINFORM").control("TIMER3").timer_enabled);
    }
    // The first check comes on the first tick, each further one within a minute.
    void first_check() { h.run_until(pf::add_seconds(h.clock().now(), 5)); }
    void next_check() { h.run_until(pf::add_seconds(h.clock().now(), 60)); }
    std::string own_address() const { return account.sender_address; }
};

std::string local_part(const std::string& address) { return address.substr(0, address.find('@')); }

// What a mail's header block says decides whether its sender is answered: never a list, a bulk
// sender, a machine, the own address in any letter case or a name without an address. Every mail
// is still forwarded. The replies say that they are automatic; the forwards do not.
TEST(AnsweringEndToEnd, OnlyPeopleGetTheAutomaticReply) {
    ModeOnServers m;
    struct Row {
        std::string what;
        std::string local;  // the local part a reply would go to
        std::string from, headers;
        bool answered;
    };
    const std::string subject = "【重要】来週の定例会議の議題と資料について";  // JIS, in a long first word
    std::vector<Row> rows;
    auto add = [&](const std::string& what, const std::string& from_of_local, const std::string& headers, bool answered) {
        std::string local = unique_name("s");
        std::string from = from_of_local;
        from.replace(from.find("LOCAL"), 5, local);
        rows.push_back({what, local, from, headers, answered});
    };
    add("a person", "LOCAL@example.jp", "", true);
    add("a list", "会員 二人 via jp-users <LOCAL@lists.example.org>",
        "List-Id: <jp-users.lists.example.org>\r\nPrecedence: list\r\n", false);
    add("List-Post", "LOCAL@lists.example.org", "List-Post: <mailto:x@lists.example.org>\r\n", false);
    add("List-Unsubscribe", "LOCAL@news.example.org", "List-Unsubscribe: <https://news.example.org/u>\r\n", false);
    add("bulk", "LOCAL@shop.example", "Precedence: bulk\r\n", false);
    add("junk", "LOCAL@shop.example", "Precedence: junk\r\n", false);
    add("a machine", "LOCAL@example.jp", "Auto-Submitted: auto-generated\r\n", false);
    add("another responder", "LOCAL@example.jp", "Auto-Submitted: auto-replied\r\n", false);
    add("Auto-Submitted: no", "LOCAL@example.jp", "Auto-Submitted: no\r\n", true);
    add("a name without an address", "\"LOCAL@example.org\" <>", "", false);
    rows.push_back({"the own address in capitals", local_part(m.own_address()),
                    "Me <" + upper_ascii(m.own_address()) + ">", "", false});
    std::vector<std::string> mails;
    for (const Row& row : rows) {
        mails.push_back("From: " + row.from + "\r\nTo: " + m.own_address() + "\r\n" + row.headers + "Subject: " +
                        subject + " " + row.what + "\r\nDate: Thu, 10 Dec 2026 08:50:00 +0900\r\n"
                        "Content-Type: text/plain; charset=UTF-8\r\n\r\nhello\r\n");
    }
    m.mailbox.add(mails);
    m.first_check();

    std::vector<std::string> forwards = delivered_to(m.phone);
    EXPECT_EQ(forwards.size(), rows.size());
    std::vector<std::string> delivered = forwards;
    for (const Row& row : rows) {
        auto replies = delivered_to(row.local);
        EXPECT_EQ(replies.size(), row.answered ? 1u : 0u) << row.what;
        for (const auto& reply : replies) {
            EXPECT_NE(reply.find("\r\nAuto-Submitted: auto-replied\r\n"), std::string::npos) << row.what;
            delivered.push_back(reply);
        }
    }
    for (const auto& forward : forwards) EXPECT_EQ(forward.find("Auto-Submitted:"), std::string::npos);
    // Every subject starts on the Subject line itself.
    for (const auto& message : delivered) {
        std::size_t at = message.find("\r\nSubject:") + 2;
        std::string first_line = message.substr(at, message.find("\r\n", at) - at);
        EXPECT_EQ(first_line.rfind("Subject: =?ISO-2022-JP?B?", 0), 0u) << first_line;
        EXPECT_LE(first_line.size(), 78u) << first_line;
    }
    auto log = files::read_lines("SYSTEM_F\\TODAY_HENSIN\\20261210_TODAY_HENSIN.txt");
    ASSERT_TRUE(log);
    EXPECT_EQ(log->size(), 2u);
}

// A bounce from the forward address is not forwarded to it again, however it returns the forward
// (as a part, or quoted in its text); a bounce of another mail still is. With the attachments forwarded, the loop would grow them.
TEST(AnsweringEndToEnd, ABounceOfAForwardIsNotForwardedAgain) {
    ModeOnServers m(true);
    std::string hanako = unique_name("hanako") + "@example.jp";
    m.mailbox.add({"From: " + hanako + "\r\nTo: " + m.own_address() + "\r\nSubject: lunch\r\n"
                   "Date: Thu, 10 Dec 2026 08:50:00 +0900\r\nMIME-Version: 1.0\r\n"
                   "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\nthe menu\r\n"
                   "--b\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=menu.bin\r\n"
                   "Content-Transfer-Encoding: base64\r\n\r\nAAECAwQF\r\n--b--\r\n"});
    m.first_check();
    auto forwards = delivered_to(m.phone);
    ASSERT_EQ(forwards.size(), 1u);
    ASSERT_EQ(parse_message(forwards[0]).attachments.size(), 1u);

    auto bounce = [&](const std::string& subject, const std::string& returned) {
        return "From: Mail Delivery System <MAILER-DAEMON@mx.example.com>\r\nTo: " + m.own_address() +
               "\r\nSubject: " + subject + "\r\nDate: Thu, 10 Dec 2026 09:00:00 +0900\r\nMIME-Version: 1.0\r\n"
               "Content-Type: multipart/report; report-type=delivery-status; boundary=r\r\n\r\n"
               "--r\r\nContent-Type: text/plain\r\n\r\nThe mail could not be delivered.\r\n"
               "--r\r\nContent-Type: message/delivery-status\r\n\r\nAction: failed\r\nStatus: 5.2.2\r\n\r\n"
               "--r\r\nContent-Type: message/rfc822\r\n\r\n" + returned + "\r\n--r--\r\n";
    };
    // Some servers return the message as text, with "> " before each of its lines.
    std::string quoted_forward;
    for (std::size_t at = 0; at < forwards[0].size();) {
        std::size_t end = std::min(forwards[0].find("\r\n", at), forwards[0].size());
        quoted_forward += "> " + forwards[0].substr(at, end - at) + "\r\n";
        at = end + 2;
    }
    std::string quoting_bounce = "From: postmaster@mx.example.com\r\nTo: " + m.own_address() +
                                 "\r\nSubject: Returned mail: User unknown\r\nDate: Thu, 10 Dec 2026 09:00:00 +0900\r\n\r\n"
                                 "----- The following addresses had permanent fatal errors -----\r\n\r\n" +
                                 quoted_forward;
    std::string other = "From: Taro <" + m.own_address() + ">\r\nTo: sato@example.org\r\nSubject: hello\r\n\r\nhi\r\n";
    m.mailbox.add({bounce("Undelivered Mail Returned to Sender", forwards[0]), quoting_bounce,
                   bounce("Delivery Status Notification (Failure)", other)});
    m.next_check();
    forwards = delivered_to(m.phone);
    EXPECT_EQ(subjects(forwards), subjects_of({"<転>lunch", "<転>Delivery Status Notification (Failure)"}));

    // That forward bounces too: the loop ends there.
    m.mailbox.add({bounce("Undelivered Mail Returned to Sender", forwards.back())});
    m.next_check();
    EXPECT_EQ(delivered_to(m.phone).size(), 2u);
    EXPECT_EQ(m.mailbox.count(), 0u);
}

// A long body is forwarded cut at whole characters, in ISO-2022-JP as every Japanese text is.
TEST(AnsweringEndToEnd, ALongBodyIsForwardedCutAtWholeCharacters) {
    ModeOnServers m;
    std::string head, tail;
    for (int i = 0; i < 150; ++i) head += "本";
    for (int i = 0; i < 100; ++i) tail += "文";
    m.mailbox.add({"From: " + unique_name("hanako") + "@example.jp\r\nSubject: long\r\n"
                   "Date: Thu, 10 Dec 2026 08:50:00 +0900\r\nContent-Type: text/plain; charset=UTF-8\r\n\r\nx" +
                   head + "\r\ny" + tail + "\r\n"});
    m.first_check();
    auto forwards = delivered_to(m.phone);
    ASSERT_EQ(forwards.size(), 1u);
    ParsedMessage forward = parse_message(forwards[0]);
    EXPECT_EQ(lower_ascii(forward.body_charset), "iso-2022-jp");
    // 96 of the first characters and 78 of the last, each whole (three UTF-8 bytes a character).
    EXPECT_NE(forward.body.find("\r\nx" + head.substr(0, 96 * 3) + " （中略）" + tail.substr(0, 78 * 3) + "\r\n"),
              std::string::npos)
        << forward.body;
}

// Runs every script through `host`, then tells `after` which one ran.
class ScriptWatch : public pf::ScriptHost {
public:
    ScriptWatch(pf::ScriptHost& host, std::function<void(const std::string&)> after)
        : host_(host), after_(std::move(after)) {}
    void run_and_wait(const std::string& script_name) override {
        host_.run_and_wait(script_name);
        after_(script_name);
    }

private:
    pf::ScriptHost& host_;
    std::function<void(const std::string&)> after_;
};

// A check killed right after its first forward went out; the program started and ended (the exit
// empties TENPFIL); then, once a new mail has brought a file of the same name, the mode's next
// check: each waiting forward, and the repeat of the one the kill caught, carries its own mail's
// file, never the new mail's.
TEST(AnsweringEndToEnd, AForwardThatWaitedAcrossAnExitCarriesItsOwnFile) {
    ModeOnServers m(true);
    auto mail = [&](int k) {
        std::string n = std::to_string(k);
        return "From: " + unique_name("s") + "@example.jp\r\nTo: " + m.own_address() + "\r\nSubject: mail " + n +
               "\r\nDate: Thu, 10 Dec 2026 08:50:00 +0900\r\nMIME-Version: 1.0\r\n"
               "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\nsee the note\r\n"
               "--b\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=note.txt\r\n\r\n"
               "the note of mail " + n + "\r\n--b--\r\n";
    };
    m.mailbox.add({mail(1), mail(2), mail(3), mail(4), mail(5), mail(6)});
    FileFaults faults;
    ScriptWatch watch(*m.scripts, [&](const std::string& script) {
        if (script == "sam042.wsf") faults.kill_before(1);
    });
    pf::services().script_host = &watch;
    bool killed = false;
    try {
        m.first_check();
    } catch (const Killed&) {
        killed = true;
    }
    ASSERT_TRUE(killed);
    faults.clear();
    ASSERT_EQ(delivered_to(m.phone).size(), 1u);

    pf::services().script_host = &m.h.scripts();
    ASSERT_TRUE(m.h.restart());
    m.h.run([] { pf::input::request_close(pf::form("MAINFORM")); });
    ASSERT_TRUE(m.h.program_ended());
    EXPECT_TRUE(files::list_folder_files("TENPFIL").empty());
    m.mailbox.add({mail(7)});
    ASSERT_TRUE(m.h.restart());
    pf::services().script_host = m.scripts.get();
    m.h.boxes().answer_next(pf::MsgAnswer::Yes);
    m.h.click("MAINFORM", "BUTTON30");
    m.first_check();

    std::map<std::string, std::vector<std::string>> files_of;
    for (const auto& delivered : delivered_to(m.phone)) {
        ParsedMessage forward = parse_message(delivered);
        std::string files;
        for (const auto& a : forward.attachments) files += a.data;
        files_of[forward.subject].push_back(files);
    }
    std::map<std::string, std::vector<std::string>> expected;
    for (int k = 1; k <= 7; ++k) {
        std::string own = "the note of mail " + std::to_string(k);
        expected["<転>mail " + std::to_string(k)] = k == 1 ? std::vector<std::string>{own, own} : std::vector<std::string>{own};
    }
    EXPECT_EQ(files_of, expected);
    EXPECT_FALSE(m.h.exists("SYSTEM_F\\TALVENOR.txt"));
}

}  // namespace
}  // namespace tv::test
