// The timed check of the answering mode through the program: ticks, forwards and replies, the
// answering log, failures and the captions, with fake transfer scripts on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "answering/check_cycle.h"
#include "answering_program.h"
#include "common/errors.h"
#include "common/sjis.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(TALVENOR_ANSWERING_FIXTURES) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string subject_of(const std::string& request) { return files::split_lines(request)[2]; }

std::vector<std::string> subjects_of(const std::vector<std::string>& requests) {
    std::vector<std::string> subjects;
    for (const auto& r : requests) subjects.push_back(subject_of(r));
    return subjects;
}

// The forward and the reply of "mail 1" to "mail 4", in order.
std::vector<std::string> forward_and_reply_of_four() {
    std::vector<std::string> expected;
    for (int i = 1; i <= 4; ++i) {
        expected.push_back("SUBJECT:<転>mail "_sj + std::to_string(i));
        expected.push_back("SUBJECT:<返>Ｒｅ：mail "_sj + std::to_string(i));
    }
    return expected;
}

TEST(CheckCycle, ChecksFallOnTheFirstEventAndThenEveryIntervalPlusOne) {
    struct Case { int interval; std::vector<int> check_events; };
    for (const Case& c : {Case{60, {1, 60, 121, 182}}, Case{0, {1, 600, 1201}}}) {
        AnsweringProgram p;
        int events = 0;
        std::vector<int> checks;
        pf::handlers().set("TIMER3_TIMER", [&] {
            if (pf::form("MAINFORM").control("TIMER3").timer_enabled) ++events;
            int before = p.h.scripts().starts("sam045.wsf");
            answering::TIMER3_TIMER();
            if (p.h.scripts().starts("sam045.wsf") > before) checks.push_back(events);
        });
        p.start_mode();
        globals().CHECK_INTERVAL = c.interval;
        for (int minute = 0; minute < 25 && checks.size() < c.check_events.size(); ++minute) p.run_seconds(60);
        EXPECT_EQ(checks, c.check_events) << c.interval;
        if (c.interval == 0) {
            EXPECT_EQ(globals().CHECK_INTERVAL, 600);
        }
    }
}

TEST(CheckCycle, ForwardsAndRepliesAsTheGoldenRequestsShow) {
    SettingsFields f = AnsweringProgram::settings();
    f[kForwardAttachments] = "1";
    f[kReplyTextFile] = "お礼.txt"_sj;
    AnsweringProgram p(f);
    p.h.write("SYSTEM_F\\HENSINYOU\\お礼.txt"_sj, fixture("reply_text.txt"));
    for (const char* name : {"案内.pdf", "地図.png"}) p.h.write("SYSTEM_F\\TEMPF_HENSIN\\"_sj + sj(name), "file");
    for (const char* name : {"資料.pdf", "a.txt", "b.txt"}) p.h.write("TENPFIL\\"_sj + sj(name), "file");
    p.start_mode();
    // Removed while the mode runs: the listing of the start names it, the reply leaves it out.
    files::remove_file("SYSTEM_F\\TEMPF_HENSIN\\案内.pdf"_sj);
    p.h.write("SYSTEM_F\\TALVENOR.txt", fixture("check_log.txt"));
    p.run_seconds(5);
    std::string sent;
    for (const auto& r : p.requests) sent += r;
    EXPECT_EQ(sent, fixture("check_requests.txt"));
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\TALVENOR.txt"));
    EXPECT_EQ(p.h.read("SYSTEM_F\\TODAY_HENSIN\\20261210_TODAY_HENSIN.txt"),
              crlf({"hanako@example.jp", "list@example.org", "ken@example.jp"}));
    EXPECT_EQ(p.h.read("SYSTEM_F\\ATESAKI.txt"), "\r\n");
    EXPECT_EQ(p.h.read("SYSTEM_F\\HENSIN.txt"), " \r\n");
    pf::Form& main = pf::form("MAINFORM");
    EXPECT_EQ(main.caption, "Received！( Talvenor Ririvi Ver.2.12 )"_sj);
    EXPECT_EQ(main.icon, "SYSTEM_F\\TLVG.ico");
    EXPECT_TRUE(main.minimized);
    EXPECT_TRUE(main.enabled);
    EXPECT_TRUE(p.mode_waiting());
    EXPECT_EQ(globals().ANSWER_CHECK_RUNNING, 0);
}

TEST(CheckCycle, OnceADaySecondMailOfASenderIsNotAnswered) {
    AnsweringProgram p;
    p.receives = {{AnsweringProgram::mail("Hanako <hanako@example.jp>", "one"),
                   AnsweringProgram::mail("hanako@example.jp", "two")},
                  {AnsweringProgram::mail("Hanako <hanako@example.jp>", "three")}};
    p.start_mode();
    p.run_seconds(70);
    EXPECT_EQ(p.requests_with("SUBJECT:<転>"_sj).size(), 3u);
    ASSERT_EQ(p.requests_with("SUBJECT:<返>"_sj).size(), 1u);
    EXPECT_EQ(subject_of(p.requests_with("SUBJECT:<返>"_sj)[0]), "SUBJECT:<返>Ｒｅ：one"_sj);
    // Every new row carries the answering mark.
    for (const auto& row : p.h.rows("MAINFORM", "LIST3")) EXPECT_EQ(row.substr(56, 4), "<樽>"_sj);
}

TEST(CheckCycle, AReadPastTheEndAtTheThirdMailForwardsNothingTwice) {
    AnsweringProgram p;
    for (int i = 1; i <= 4; ++i) {
        p.receives.resize(1);
        p.receives[0].push_back(AnsweringProgram::mail("s" + std::to_string(i) + "@example.jp", "mail " + std::to_string(i)));
    }
    bool failed = false;
    p.h.clock().on_sleep = [&](int) {
        if (failed || !p.h.exists("SYSTEM_F\\DEL_SOUSIN.txt")) return;
        if (p.h.read("SYSTEM_F\\DEL_SOUSIN.txt").find("SUBJECT:<転>mail 3"_sj) == std::string::npos) return;
        failed = true;
        raise_error(err::kFileAnomaly, "read past the end");
    };
    p.start_mode();
    p.run_seconds(10);
    EXPECT_TRUE(failed);
    EXPECT_EQ(subjects_of(p.requests), forward_and_reply_of_four());
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\TALVENOR.txt"));
}

TEST(CheckCycle, AFailureAfterAForwardLeavesOnlyItsReplyForTheNextCheck) {
    AnsweringProgram p;
    p.receives.resize(1);
    for (int i = 1; i <= 4; ++i) {
        p.receives[0].push_back(AnsweringProgram::mail("s" + std::to_string(i) + "@example.jp", "mail " + std::to_string(i)));
    }
    // The hand-over file cannot be written after the third forward: the check fails there.
    p.h.scripts().on("sam042.wsf", [&] {
        p.requests.push_back(p.h.read("SYSTEM_F\\DEL_SOUSIN.txt"));
        p.h.write("SYSTEM_F\\T_OUT_DONE.txt", "DONE\r\n");
        if (p.requests.size() == 5) {
            files::remove_if_exists("SYSTEM_F\\ATESAKI.txt");
            p.h.make_folder("SYSTEM_F\\ATESAKI.txt");
        }
    });
    p.start_mode();
    p.run_seconds(10);
    ASSERT_EQ(p.requests.size(), 5u);
    // What was not handled waits in the log; the mode goes on.
    auto log = files::read_lines("SYSTEM_F\\TALVENOR.txt");
    ASSERT_TRUE(log);
    ASSERT_EQ(log->size(), 2u);
    EXPECT_NE((*log)[0].find("mail 3"), std::string::npos);
    EXPECT_TRUE(p.mode_waiting());
    EXPECT_EQ(pf::form("MAINFORM").caption, "Talveno-chuu !");
    std::filesystem::remove(files::resolve("SYSTEM_F\\ATESAKI.txt"));
    p.run_seconds(60);
    EXPECT_EQ(subjects_of(p.requests), forward_and_reply_of_four());
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\TALVENOR.txt"));
}

TEST(CheckCycle, MailsBeyondThe199thWaitForTheNextCheck) {
    SettingsFields f = AnsweringProgram::settings();
    f[kReplyStopped] = "1";
    AnsweringProgram p(f);
    std::vector<std::string> log;
    for (int i = 1; i <= 250; ++i) {
        log.push_back("\"DATE: 2026/12/10 08:00:00\",\"FROM: s@example.jp\",\"SUBJECT: m" + std::to_string(i) +
                      "\",\"Body: hiCrLfFILE:CrLfENDDAYOPPI_AKASATA_HONYOHOYNYO\"");
    }
    log.insert(log.begin() + 5, "\" \",\"\",\" \",\"Body: blank\"");  // a blank record does not count
    p.h.write_lines("SYSTEM_F\\TALVENOR.txt", log);
    p.start_mode();
    p.run_seconds(30);
    ASSERT_EQ(p.requests.size(), 199u);
    EXPECT_EQ(subject_of(p.requests.back()), "SUBJECT:<転>m199"_sj);
    EXPECT_EQ(files::read_lines("SYSTEM_F\\TALVENOR.txt")->size(), 51u);
    p.run_seconds(60);
    ASSERT_EQ(p.requests.size(), 250u);
    EXPECT_EQ(subject_of(p.requests.back()), "SUBJECT:<転>m250"_sj);
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\TALVENOR.txt"));
}

// A double quote inside an item, where the log's writer would leave it out (an unquoted item, as
// an older version may have written one), is read as the writer writes it: the record is found
// again after another record's step rewrote the log, leaves it when its steps are done, and its
// mail is forwarded once.
TEST(CheckCycle, ARecordHoldingAQuoteIsFoundAfterTheLogIsRewritten) {
    const std::string rest = ",\"Body: hiCrLfFILE:CrLfENDDAYOPPI_AKASATA_HONYOHOYNYO\",\"\",\"\",\"m.eml\",\"\"";
    AnsweringProgram p;
    p.h.write_lines("SYSTEM_F\\TALVENOR.txt",
                    {"\"DATE: 2026/12/10 08:00:00\",\"FROM: s1@example.jp\",\"SUBJECT: plain\"" + rest,
                     "\"DATE: 2026/12/10 08:00:00\",FROM  \"Ken\" <ken@example.jp>,\"SUBJECT: from Ken\"" + rest,
                     "\"DATE: 2026/12/10 08:00:00\",\"FROM: s3@example.jp\",SUBJECT  say \"hi\"" + rest});
    p.start_mode();
    p.run_seconds(5);
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\TALVENOR.txt"));
    p.run_seconds(60);
    EXPECT_EQ(subjects_of(p.requests_with("SUBJECT:<転>"_sj)),
              (std::vector<std::string>{"SUBJECT:<転>plain"_sj, "SUBJECT:<転>from Ken"_sj, "SUBJECT:<転>say hi"_sj}));
    EXPECT_EQ(p.h.read("SYSTEM_F\\TODAY_HENSIN\\20261210_TODAY_HENSIN.txt"),
              crlf({"s1@example.jp", "ken@example.jp", "s3@example.jp"}));
}

// Forwarding with attachments, no replies.
SettingsFields forwarding_attachments_only() {
    SettingsFields f = AnsweringProgram::settings();
    f[kReplyStopped] = "1";
    f[kForwardAttachments] = "1";
    return f;
}

// A record as an older version wrote it (no mail name, no steps), of mail "m<i>" naming TENPFIL\a.txt.
std::string record_naming_a_txt(int i) {
    return "\"DATE: 2026/12/10 08:00:00\",\"FROM: s@example.jp\",\"SUBJECT: m" + std::to_string(i) +
           "\",\"Body: hiCrLfFile: TENPFIL\\a.txtCrLfENDDAYOPPI_AKASATA_HONYOHOYNYO\",\"\",\"a.txt\"";
}

// Mails a check could not reach wait in the answering log across a restart. After a kill they go
// with their attachments: TENPFIL is as the killed run left it. The exit empties TENPFIL, so after
// an exit a file found there under a waiting mail's attachment name is another mail's and is not
// sent; these mails' stored copies are gone, so nothing gives them their own files again.
TEST(CheckCycle, MailsWaitingForTheNextCheckSurviveARestart) {
    const SettingsFields f = forwarding_attachments_only();
    auto record = [](int i) { return record_naming_a_txt(i) + ",\"m" + std::to_string(i) + ".eml\",\"\""; };
    for (bool exited : {false, true}) {
        SCOPED_TRACE(exited ? "after an exit" : "after a kill");
        AnsweringProgram p(f);
        p.h.write("TENPFIL\\a.txt", "the attachment of every mail here");
        std::vector<std::string> log;
        for (int i = 1; i <= 201; ++i) log.push_back(record(i));
        p.h.write_lines("SYSTEM_F\\TALVENOR.txt", log);
        p.start_mode();
        p.run_seconds(30);
        ASSERT_EQ(p.requests.size(), 199u);
        EXPECT_NE(p.requests.back().find("FILE:TENPFIL\\a.txt\r\n"), std::string::npos);
        EXPECT_EQ(p.h.read("SYSTEM_F\\TALVENOR.txt"), crlf({record(200), record(201)}));
        p.requests.clear();
        if (exited) {
            p.restore_window();
            p.h.run([] { pf::input::request_close(pf::form("MAINFORM")); });
            ASSERT_TRUE(p.h.program_ended());
            EXPECT_FALSE(p.h.exists("TENPFIL\\a.txt"));
            p.h.write("TENPFIL\\a.txt", "another mail's attachment");
        }
        ASSERT_TRUE(p.h.restart());
        p.start_mode();
        p.run_seconds(5);
        ASSERT_EQ(subjects_of(p.requests), (std::vector<std::string>{"SUBJECT:<転>m200"_sj, "SUBJECT:<転>m201"_sj}));
        for (const auto& request : p.requests) {
            EXPECT_EQ(request.ends_with("\r\nFILE:\r\nMAIL_END\r\n"), exited) << request;
        }
        EXPECT_FALSE(p.h.exists("SYSTEM_F\\TALVENOR.txt"));
    }
}

// The waiting log of an older version is taken in before the log; its records, and the log's records
// of that version, name no attachments (it did not say which mail they came from).
TEST(CheckCycle, AnOlderVersionsWaitingLogIsForwardedFirst) {
    const SettingsFields f = forwarding_attachments_only();
    auto record = record_naming_a_txt;
    AnsweringProgram p(f, {{"SYSTEM_F\\TALVENOR_WAIT.txt", crlf({record(200), record(201)})},
                           {"SYSTEM_F\\TALVENOR.txt", record(300) + "\r\n"},
                           {"TENPFIL\\a.txt", "another mail's attachment"}});
    p.start_mode();
    p.run_seconds(5);
    ASSERT_EQ(subjects_of(p.requests),
              (std::vector<std::string>{"SUBJECT:<転>m200"_sj, "SUBJECT:<転>m201"_sj, "SUBJECT:<転>m300"_sj}));
    for (const auto& request : p.requests) EXPECT_TRUE(request.ends_with("\r\nFILE:\r\nMAIL_END\r\n")) << request;
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\TALVENOR_WAIT.txt"));
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\TALVENOR.txt"));
}

// A reply is in the day's log before it is handed over: a kill during its send costs that reply,
// never a second one. It goes into the log of the day it was handed over on.
TEST(CheckCycle, AReplyIsLoggedBeforeItIsHandedOver) {
    AnsweringProgram p;
    p.receives = {{AnsweringProgram::mail("Hanako <hanako@example.jp>", "late")}};
    p.h.clock().set_now({2026, 12, 10, 23, 59, 58});
    std::string log_at_send;
    p.h.scripts().on("sam042.wsf", [&] {
        p.requests.push_back(p.h.read("SYSTEM_F\\DEL_SOUSIN.txt"));
        p.h.write("SYSTEM_F\\T_OUT_DONE.txt", "DONE\r\n");
        if (subject_of(p.requests.back()).starts_with("SUBJECT:<返>"_sj)) {
            if (p.h.exists("SYSTEM_F\\TODAY_HENSIN\\20261210_TODAY_HENSIN.txt")) {
                log_at_send = p.h.read("SYSTEM_F\\TODAY_HENSIN\\20261210_TODAY_HENSIN.txt");
            }
            p.h.clock().advance(3000);
        }
    });
    p.start_mode();
    p.run_seconds(5);
    ASSERT_EQ(p.requests_with("SUBJECT:<返>"_sj).size(), 1u);
    EXPECT_EQ(log_at_send, "hanako@example.jp\r\n");
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\TODAY_HENSIN\\20261211_TODAY_HENSIN.txt"));
}

TEST(CheckCycle, CaptionAndIconTellWhetherMailCame) {
    AnsweringProgram p;
    p.receives = {{}, {AnsweringProgram::mail("a@example.jp", "x")}, {}};
    p.start_mode();
    pf::Form& main = pf::form("MAINFORM");
    p.run_seconds(5);
    EXPECT_EQ(main.caption, "Talveno-chuu !");
    EXPECT_EQ(main.icon, "SYSTEM_F\\TLVN.ico");
    // The arrival icon is missing: the caption still changes, the icon stays.
    files::remove_file("SYSTEM_F\\TLVG.ico");
    p.run_seconds(60);
    EXPECT_EQ(main.caption, "Received！( Talvenor Ririvi Ver.2.12 )"_sj);
    EXPECT_EQ(main.icon, "SYSTEM_F\\TLVN.ico");
    p.h.write("SYSTEM_F\\TLVG.ico", "arrival icon");
    p.run_seconds(60);
    EXPECT_EQ(p.h.scripts().starts("sam045.wsf"), 3);
    EXPECT_EQ(main.caption, "Received！( Talvenor Ririvi Ver.2.12 )"_sj);
    EXPECT_EQ(main.icon, "SYSTEM_F\\TLVN.ico");  // one try per run of the mode
}

TEST(CheckCycle, RestoringTheWindowDuringACheckKeepsTheModeOn) {
    AnsweringProgram p;
    std::vector<bool> enabled_inside;  // the main window as the check goes on after the restore
    p.h.scripts().on("sam045.wsf", [&] {
        pf::input::set_minimized(pf::form("MAINFORM"), false);
        pf::event_queue().post(pf::Event{"probe", [&] {
                                             if (globals().ANSWER_CHECK_RUNNING == 1) {
                                                 enabled_inside.push_back(pf::form("MAINFORM").enabled);
                                             }
                                         }});
        p.h.write_lines("JUSINBOX\\20261210_090001.eml", AnsweringProgram::mail("hanako@example.jp", "hi"));
        p.h.write("SYSTEM_F\\T_IN_DONE.txt", "DONE received\r\n");
    });
    p.start_mode();
    p.h.boxes().clear();
    p.run_seconds(5);
    // The restore ran at the pump after the receive; the check holds the window disabled.
    EXPECT_EQ(enabled_inside, std::vector<bool>{false});
    EXPECT_EQ(p.requests.size(), 2u);
    EXPECT_TRUE(p.h.boxes().shown().empty());
    EXPECT_TRUE(pf::form("MAINFORM").minimized);
    EXPECT_TRUE(p.mode_waiting());
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_EQ(pf::form("MAINFORM").caption.rfind("Received！"_sj, 0), 0u);
}

TEST(CheckCycle, NoTickCountsInsideATransfer) {
    AnsweringProgram p;
    p.start_mode();
    p.run_seconds(3);
    int ticks = globals().ANSWER_TICKS;
    globals().TRANSFER_RUNNING = true;
    p.run_seconds(5);
    EXPECT_EQ(globals().ANSWER_TICKS, ticks);
    globals().TRANSFER_RUNNING = false;
    p.run_seconds(5);
    EXPECT_GT(globals().ANSWER_TICKS, ticks);
}

TEST(CheckCycle, AMalformedBookDoesNotStopTheMode) {
    AnsweringProgram p;
    p.h.write("SYSTEM_F\\KYOHI_ADDRESS.txt", "\" \",\" \"\r\n\"Spam Co\r\n,,,\r\n\"Never\",\"never@example.jp");
    p.h.write("SYSTEM_F\\TOKUTEI_ADDRESS.txt", "\"");
    p.receives = {{AnsweringProgram::mail("Hanako <hanako@example.jp>", "hi"),
                   AnsweringProgram::mail("never@example.jp", "blocked")}};
    p.start_mode();
    p.run_seconds(5);
    EXPECT_EQ(p.requests.size(), 2u);  // the forward and the reply of the first mail
    EXPECT_EQ(p.requests_with("SUBJECT:<返>Ｒｅ：hi"_sj).size(), 1u);
    EXPECT_TRUE(p.mode_waiting());
}

// A reject book another program wrote with LF line ends, longer than the longest line of a text
// file and of more than a thousand entries: its last sender is neither forwarded nor answered.
TEST(CheckCycle, TheLastSenderOfALongLfRejectBookIsRefused) {
    AnsweringProgram p;
    std::string book = "\" \",\" \"\n";
    for (int i = 1; i <= 1000; ++i) {
        book += "\"Reject list entry " + std::to_string(i) + "\",\"sender" + std::to_string(i) + "@reject-list.example.jp\"\n";
    }
    book += "\"Last\",\"last@example.jp\"\n";
    ASSERT_GT(book.size(), 45000u);
    p.h.write("SYSTEM_F\\KYOHI_ADDRESS.txt", book);
    p.receives = {{AnsweringProgram::mail("Hanako <hanako@example.jp>", "welcome"),
                   AnsweringProgram::mail("Last <last@example.jp>", "refused")}};
    p.start_mode();
    p.run_seconds(5);
    EXPECT_EQ(subjects_of(p.requests), (std::vector<std::string>{"SUBJECT:<転>welcome"_sj, "SUBJECT:<返>Ｒｅ：welcome"_sj}));
}

// Ten reads past the end are retried; the eleventh failure ends the check in the clean-up, which
// keeps the log for the next check.
TEST(CheckCycle, TenRetriesAndNoMore) {
    AnsweringProgram p;
    p.receives = {{AnsweringProgram::mail("s1@example.jp", "mail 1"), AnsweringProgram::mail("s2@example.jp", "mail 2")}};
    int failures = 0;
    p.h.clock().on_sleep = [&](int) {
        // The request of the first forward fails each time it is written (at most 50 times).
        if (failures == 50 || !p.h.exists("SYSTEM_F\\DEL_SOUSIN.txt")) return;
        if (p.h.read("SYSTEM_F\\DEL_SOUSIN.txt").find("SUBJECT:<転>mail 1"_sj) == std::string::npos) return;
        files::remove_file("SYSTEM_F\\DEL_SOUSIN.txt");
        ++failures;
        raise_error(err::kFileAnomaly, "read past the end");
    };
    p.start_mode();
    p.run_seconds(10);
    EXPECT_EQ(failures, 11);
    EXPECT_TRUE(p.requests.empty());
    EXPECT_EQ(files::read_lines("SYSTEM_F\\TALVENOR.txt")->size(), 2u);
    EXPECT_TRUE(p.mode_waiting());
}

// A failed check ends by indexing the receive box again: every record rebuilt from its mail.
TEST(CheckCycle, AFailedCheckIndexesTheReceiveBoxAgain) {
    AnsweringProgram p;
    p.receives = {{AnsweringProgram::mail("s1@example.jp", "mail 1"), AnsweringProgram::mail("s2@example.jp", "mail 2")}};
    p.h.write("SYSTEM_F\\F_D_F\\stale.dxd", "\"DATE: x\",\"FROM: gone\",\"SUBJECT: gone\",\" \"\r\n");
    p.h.scripts().on("sam042.wsf", [&] {
        p.requests.push_back(p.h.read("SYSTEM_F\\DEL_SOUSIN.txt"));
        p.h.write("SYSTEM_F\\T_OUT_DONE.txt", "DONE\r\n");
        // The hand-over after the first forward cannot be written: the check fails there.
        files::remove_if_exists("SYSTEM_F\\ATESAKI.txt");
        p.h.make_folder("SYSTEM_F\\ATESAKI.txt");
    });
    p.start_mode();
    p.run_seconds(5);
    ASSERT_EQ(p.requests.size(), 1u);
    EXPECT_FALSE(p.h.exists("SYSTEM_F\\F_D_F\\stale.dxd"));
    EXPECT_EQ(p.h.scripts().starts("sam046.wsf"), 4);  // two by the receive, two by the index
    EXPECT_EQ(p.h.rows("MAINFORM", "LIST3").size(), 2u);
    EXPECT_TRUE(p.mode_waiting());
}

TEST(CheckCycle, AReplyCarriesAtMost199Attachments) {
    SettingsFields f = AnsweringProgram::settings();
    f[kForwardStopped] = "1";
    AnsweringProgram p(f);
    for (int i = 1; i <= 201; ++i) p.h.write("SYSTEM_F\\TEMPF_HENSIN\\f" + std::to_string(i) + ".txt", "x");
    p.receives = {{AnsweringProgram::mail("hanako@example.jp", "hi")}};
    p.start_mode();
    p.run_seconds(5);
    ASSERT_EQ(p.requests.size(), 1u);
    auto lines = files::split_lines(p.requests[0]);
    long attached = std::count_if(lines.begin(), lines.end(),
                                  [](const std::string& l) { return l.starts_with("FILE:SYSTEM_F\\TEMPF_HENSIN\\"); });
    EXPECT_EQ(attached, 199);
    EXPECT_EQ(lines.back(), "MAIL_END");
}

// The body summary is cut at whole characters: both cuts of this one fall inside a character.
TEST(CheckCycle, ALongBodyIsForwardedCutAtWholeCharacters) {
    AnsweringProgram p;
    std::string head, tail;
    for (int i = 0; i < 150; ++i) head += "本"_sj;
    for (int i = 0; i < 100; ++i) tail += "文"_sj;
    auto mail = AnsweringProgram::mail("hanako@example.jp", "long", "x" + head);
    mail.insert(mail.end() - 1, "y" + tail);
    p.receives = {{mail}};
    p.start_mode();
    p.run_seconds(5);
    ASSERT_EQ(p.requests_with("SUBJECT:<転>"_sj).size(), 1u);
    auto lines = files::split_lines(p.requests_with("SUBJECT:<転>"_sj)[0]);
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[8], "x" + head.substr(0, 192) + " （中略）"_sj + tail.substr(0, 156));
}

// Text in a body names no attachment: "CrLf" typed in it starts no line, and only the mail's own
// files go with its forward.
TEST(CheckCycle, BodyTextCannotAttachAnotherMailsFile) {
    SettingsFields f = AnsweringProgram::settings();
    f[kForwardAttachments] = "1";
    AnsweringProgram p(f);
    p.h.write("TENPFIL\\F_JU.txt", "another mail's attachment");
    p.h.write("TENPFIL\\own.txt", "its own");
    auto mail = AnsweringProgram::mail("hanako@example.jp", "see", "look belowCrLfFile: TENPFIL\\F_JU.txt");
    mail.back() = "File: TENPFIL\\own.txt";
    p.receives = {{mail}};
    p.start_mode();
    p.run_seconds(5);
    ASSERT_EQ(p.requests_with("SUBJECT:<転>"_sj).size(), 1u);
    auto lines = files::split_lines(p.requests_with("SUBJECT:<転>"_sj)[0]);
    std::vector<std::string> attached;
    for (const auto& line : lines) {
        if (line.starts_with("FILE:")) attached.push_back(line);
    }
    EXPECT_EQ(attached, std::vector<std::string>{"FILE:TENPFIL\\own.txt"});
    // One line, which the forward shows as a mention of a file.
    EXPECT_EQ(lines[8], "添付ファイル：_fFile: TENPFIL\\F_JU.txt"_sj);
    EXPECT_EQ(lines[9], "添付ファイル：own.txt"_sj);
}

}  // namespace
}  // namespace tv::test
