// The parse command beyond single fixtures: where mails lie, what it does with TENPFIL as it
// finds it, requests it cannot serve and results that must be cut.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "component_runner.h"
#include "harness/harness.h"
#include "harness/small_disk.h"
#include "result_invariants.h"
#include "common/exchange_files.h"
#include "common/sjis.h"

namespace tv::test {
namespace {

using namespace tv::literals;

const std::string kUnreadable = "can not read mail !";

std::vector<std::string> parse(Harness& h, const std::string& request) {
    h.make_folder("SYSTEM_F");
    h.make_folder("TENPFIL");
    h.write(exchange::kRequestFile, request + "\r\n");
    EXPECT_EQ(run_mail_component(h.folder, "parse"), 0);
    return expect_sound_result(h);
}

// The result of a mail given as its text, stored in the receive box.
std::vector<std::string> parse_text(Harness& h, const std::string& mail) {
    h.write("JUSINBOX\\20240101_000000_0001.eml", mail);
    return parse(h, "JUSINBOX\\20240101_000000_0001.eml");
}

TEST(ParseCommand, ReadsMailFromEveryReceivedMailFolder) {
    for (const char* folder : {"JUSINBOX", "GOMIBAKO\\JUSIN_FO", "SYSTEM_F\\FORDA_FO\\JOB\\JUSIN_FO",
                               "SYSTEM_F\\FORDA_FO\\PRIVATE\\JUSIN_FO", "SYSTEM_F\\FORDA_FO\\HOBBY\\JUSIN_FO",
                               "SYSTEM_F\\FORDA_FO\\ANOTHER\\JUSIN_FO"}) {
        Harness h;
        std::string path = std::string(folder) + "\\20240101_120000_0001 with blank.eml";
        h.write(path, fixture("shift_jis_8bit.eml"));
        auto lines = parse(h, path);
        EXPECT_EQ(lines[3], "SUBJECT: " + "ソフト表示の件"_sj) << folder;
    }
}

TEST(ParseCommand, NeverReplacesAFileInTenpfil) {
    Harness h;
    h.write("TENPFIL\\" + "見積書 ①.pdf"_sj, "older file");
    h.write("TENPFIL\\" + "売上表.XLS"_sj, "a case variant is the same file to the program");
    h.write("TENPFIL\\" + "売上表(2).xls"_sj, "an earlier counter");
    h.write("JUSINBOX\\20240311_174600_0001.eml", fixture("two_attachments.eml"));
    auto lines = parse(h, "JUSINBOX\\20240311_174600_0001.eml");
    EXPECT_EQ(attachment_names(lines), (std::vector<std::string>{"見積書 ①(2).pdf"_sj, "売上表(3).xls"_sj}));
    EXPECT_EQ(h.read("TENPFIL\\" + "見積書 ①.pdf"_sj), "older file");
    EXPECT_EQ(h.read("TENPFIL\\" + "売上表(2).xls"_sj), "an earlier counter");
    EXPECT_EQ(h.read("TENPFIL\\" + "見積書 ①(2).pdf"_sj).substr(0, 8), "%PDF-1.4");
}

TEST(ParseCommand, WhatItWritesOtherUsersCannotRead) {
    ::umask(022);
    Harness h;
    h.write("JUSINBOX\\20240311_174600_0001.eml", fixture("two_attachments.eml"));
    h.write(exchange::kRequestFile, "JUSINBOX\\20240311_174600_0001.eml\r\n");
    ASSERT_EQ(run_mail_component(h.folder, "parse"), 0);
    auto mode = [&h](const std::string& relative) {
        return std::filesystem::status(h.folder / relative).permissions() & std::filesystem::perms::all;
    };
    using std::filesystem::perms;
    EXPECT_EQ(mode("TENPFIL"), perms::owner_all);
    EXPECT_EQ(mode("SYSTEM_F/YOMITORI.txt"), perms::owner_read | perms::owner_write);
    for (const auto& e : std::filesystem::directory_iterator(h.folder / "TENPFIL")) {
        EXPECT_EQ(e.status().permissions() & perms::all, perms::owner_read | perms::owner_write) << e.path();
    }
}

// A mail of one text line and the given attachments ({name, content}, content sent as it is).
std::string mail_with_attachments(const std::vector<std::pair<std::string, std::string>>& attachments) {
    std::string mail =
        "From: a@example.com\r\nSubject: files\r\nDate: Mon, 1 Jan 2024 00:00:00 +0000\r\n"
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\nhi\r\n";
    for (const auto& [name, content] : attachments) {
        mail += "--b\r\nContent-Disposition: attachment; filename=" + name + "\r\n\r\n" + content + "\r\n";
    }
    return mail + "--b--\r\n";
}

// An attachment the disk has no room for gets no line (the readers would offer a file that is not
// there): the marks say that the mail has one all the same, and why. Once there is room, a parse
// saves it.
TEST(ParseCommand, AnAttachmentWithoutRoomOnTheDiskIsMarkedAndSavedOnceThereIsRoom) {
    Harness h;
    SmallDisk disk(h.folder / "TENPFIL", 512 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why();
    std::string big;
    while (big.size() < 200 * 1024) big += "a line of the big attachment " + std::to_string(big.size()) + "\r\n";
    const std::string mail = "JUSINBOX\\20240101_000000_0001.eml";
    h.write(mail, mail_with_attachments({{"small.txt", "fits"}, {"big.txt", big}}));
    disk.fill_leaving(64 * 1024);

    EXPECT_EQ(attachment_names(parse(h, mail)), std::vector<std::string>{"small.txt"});
    EXPECT_EQ(h.read(exchange::kParseMarksFile), "ATTACHMENT-NOT-SAVED\r\nDISK-FULL\r\n");
    EXPECT_FALSE(h.exists("TENPFIL\\big.txt"));  // nothing half-written is left

    disk.free_space();
    EXPECT_EQ(attachment_names(parse(h, mail)), (std::vector<std::string>{"small.txt", "big.txt"}));
    EXPECT_EQ(h.read("TENPFIL\\big.txt"), big);
    EXPECT_FALSE(h.exists(exchange::kParseMarksFile));
}

// A save that fails for another reason than room is marked as well, without the full disk.
TEST(ParseCommand, AnAttachmentThatCannotBeWrittenIsMarked) {
    Harness h;
    h.write("TENPFIL", "a file where the folder should be");
    h.write("JUSINBOX\\20240101_000000_0001.eml", mail_with_attachments({{"a.txt", "one"}}));
    h.write(exchange::kRequestFile, "JUSINBOX\\20240101_000000_0001.eml\r\n");
    ASSERT_EQ(run_mail_component(h.folder, "parse"), 0);
    EXPECT_TRUE(attachment_names(expect_sound_result(h)).empty());
    EXPECT_EQ(h.read(exchange::kParseMarksFile), "ATTACHMENT-NOT-SAVED\r\n");
}

TEST(ParseCommand, AMailParsedAgainFindsItsAttachmentsAndSavesNoneTwice) {
    struct Case {
        const char* what;
        std::string mail;
    };
    const Case cases[] = {
        {"two attachments", fixture("two_attachments.eml")},
        {"a forwarded message saved whole", fixture("nested_forward.eml")},
        {"two attachments of one name", mail_with_attachments({{"a.txt", "one"}, {"a.txt", "two"}})},
        {"the same attachment twice", mail_with_attachments({{"a.txt", "same"}, {"a.txt", "same"}})},
    };
    for (const Case& c : cases) {
        Harness h;
        h.write("JUSINBOX\\20240101_000000_0001.eml", c.mail);
        auto first = attachment_names(parse(h, "JUSINBOX\\20240101_000000_0001.eml"));
        std::vector<std::string> files;
        for (const std::string& name : first) files.push_back("TENPFIL/" + to_utf8(name));
        std::sort(files.begin(), files.end());
        ASSERT_EQ(files.size(), 2u) << c.what;  // every attachment its own file, each parse
        for (int again = 0; again < 2; ++again) {
            EXPECT_EQ(attachment_names(parse(h, "JUSINBOX\\20240101_000000_0001.eml")), first) << c.what;
            std::vector<std::string> tenpfil;
            for (const std::string& file : files_below(h.folder)) {
                if (file.rfind("TENPFIL/", 0) == 0) tenpfil.push_back(file);
            }
            EXPECT_EQ(tenpfil, files) << c.what;
        }
    }
}

TEST(ParseCommand, AFileOfTheNameWithOtherBytesIsKeptAndTheAttachmentNumbered) {
    const std::string pdf = "%PDF-1.4\n% fake pdf for the test\n%%EOF\n";
    std::string one_byte_off = pdf;
    one_byte_off.back() = '\r';
    const std::string cases[] = {one_byte_off, pdf + "x", pdf.substr(0, pdf.size() - 1)};
    for (const std::string& older : cases) {
        Harness h;
        h.write("TENPFIL\\" + "見積書 ①.pdf"_sj, older);
        h.write("JUSINBOX\\20240311_174600_0001.eml", fixture("two_attachments.eml"));
        auto lines = parse(h, "JUSINBOX\\20240311_174600_0001.eml");
        EXPECT_EQ(attachment_names(lines)[0], "見積書 ①(2).pdf"_sj) << older;
        EXPECT_EQ(h.read("TENPFIL\\" + "見積書 ①.pdf"_sj), older);
        EXPECT_EQ(h.read("TENPFIL\\" + "見積書 ①(2).pdf"_sj), pdf);
    }
}

TEST(ParseCommand, AFifoUnderTheNameDoesNotHoldTheParse) {
    Harness h;
    h.make_folder("TENPFIL");
    ASSERT_EQ(::mkfifo((h.folder / "TENPFIL" / "売上表.xls").c_str(), 0600), 0);  // no writer ever comes
    h.write("JUSINBOX\\20240311_174600_0001.eml", fixture("two_attachments.eml"));
    auto lines = parse(h, "JUSINBOX\\20240311_174600_0001.eml");
    EXPECT_EQ(attachment_names(lines), (std::vector<std::string>{"見積書 ①.pdf"_sj, "売上表(2).xls"_sj}));
}

TEST(ParseCommand, AnEqualFileUnderANumberedOrCaseVariantNameIsUsedUnderThatName) {
    Harness h;
    h.write("JUSINBOX\\20240311_174600_0001.eml", fixture("two_attachments.eml"));
    const std::string request = "JUSINBOX\\20240311_174600_0001.eml";
    auto first = attachment_names(parse(h, request));
    ASSERT_EQ(first, (std::vector<std::string>{"見積書 ①.pdf"_sj, "売上表.xls"_sj}));
    // The user changed the one and renamed the other in its case.
    std::string xls = h.read("TENPFIL\\" + "売上表.xls"_sj);
    h.write("TENPFIL\\" + "見積書 ①.pdf"_sj, "edited");
    std::filesystem::rename(h.folder / "TENPFIL" / "売上表.xls", h.folder / "TENPFIL" / "売上表.XLS");
    for (int view = 2; view <= 3; ++view) {
        EXPECT_EQ(attachment_names(parse(h, request)), (std::vector<std::string>{"見積書 ①(2).pdf"_sj, "売上表.XLS"_sj}))
            << "view " << view;
    }
    EXPECT_EQ(h.read("TENPFIL\\" + "見積書 ①.pdf"_sj), "edited");
    EXPECT_EQ(h.read("TENPFIL\\" + "売上表.XLS"_sj), xls);
    EXPECT_EQ(files_below(h.folder / "TENPFIL").size(), 3u);
}

TEST(ParseCommand, AnUnservableRequestStillGivesACompleteResult) {
    struct Case {
        const char* what;
        std::string request;  // empty: no request file at all
        std::string date;     // empty: any date
    };
    const Case cases[] = {
        {"missing mail", "JUSINBOX\\20240102_030405_0001.eml", "DATE: 2024/01/02 03:04:05"},
        {"a folder, not a mail", "JUSINBOX\\20240102_030405_0002.eml", "DATE: 2024/01/02 03:04:05"},
        {"no request", "", ""},
    };
    for (const Case& c : cases) {
        Harness h;
        h.make_folder("JUSINBOX\\20240102_030405_0002.eml");
        std::vector<std::string> lines;
        if (c.request.empty()) {
            h.make_folder("SYSTEM_F");
            EXPECT_EQ(run_mail_component(h.folder, "parse"), 0);
            lines = expect_sound_result(h);
        } else {
            lines = parse(h, c.request);
        }
        ASSERT_EQ(lines.size(), 7u) << c.what;
        if (!c.date.empty()) {
            EXPECT_EQ(lines[0], c.date) << c.what;
        }
        EXPECT_EQ(lines[1], "FROM: " + kUnreadable) << c.what;
        EXPECT_EQ(lines[3], "SUBJECT: " + kUnreadable) << c.what;
        EXPECT_EQ(lines[5], "FILE:") << c.what;
    }
}

TEST(ParseCommand, CapsTheBodySoThatAttachmentsAndTheEndLineFit) {
    Harness h;
    std::string mail =
        "From: many@example.com\r\nSubject: many lines\r\nDate: Mon, 1 Jan 2024 00:00:00 +0000\r\n"
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\n";
    for (int i = 1; i <= 12000; ++i) mail += "line " + std::to_string(i) + "\r\n";
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        mail += std::string("--b\r\nContent-Disposition: attachment; filename=") + name + "\r\n\r\n" + name + "\r\n";
    }
    mail += "--b--\r\n";
    h.write("JUSINBOX\\20240101_000000_0001.eml", mail);
    auto lines = parse(h, "JUSINBOX\\20240101_000000_0001.eml");
    ASSERT_EQ(lines.size(), 9998u);
    EXPECT_EQ(lines[4], "Body: line 1");
    EXPECT_EQ(lines[9993], "line 9990");
    EXPECT_EQ(attachment_names(lines), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
}

TEST(ParseCommand, ReadsAMailSavedWithItsMboxSeparatorLine) {
    Harness h;
    auto lines = parse_text(
        h, "From sender@example.com Mon Jan  1 00:00:00 2024\nFrom: sender@example.com\nSubject: from mbox\n\nhello\n");
    EXPECT_EQ(lines[1], "FROM: sender@example.com");
    EXPECT_EQ(lines[3], "SUBJECT: from mbox");
    EXPECT_EQ(lines[4], "Body: hello");
}

// A sender that gave empty angle brackets has no address: its name, even one that looks like an
// address, keeps the brackets after it, so that nobody takes the name for the address.
TEST(ParseCommand, ASenderWithoutAnAddressKeepsItsEmptyBrackets) {
    Harness h;
    auto lines =
        parse_text(h, "From: \"victim@example.org\" <>\r\nSubject: hi\r\nDate: Mon, 1 Jan 2024 00:00:00 +0000\r\n\r\nhello\r\n");
    EXPECT_EQ(lines[1], "FROM: victim@example.org <>");
}

// The marks beside the result: a mailing list or a machine sent the mail; a bounce returns one of
// the account's own forwards ("<転>lunch" from its address, in any letter case).
TEST(ParseCommand, MarksTellListsMachinesAndBouncesOfOwnForwards) {
    const std::string forward_headers =
        "From: Taro <TARO@example.jp>\r\nTo: phone@example.jp\r\nSubject: =?ISO-2022-JP?B?PBskQkU+GyhCPmx1bmNo?=\r\n"
        "Date: Mon, 1 Jan 2024 00:00:00 +0900\r\n";
    const std::string other_headers =
        "From: Taro <taro@example.jp>\r\nTo: sato@example.jp\r\nSubject: lunch\r\nDate: Mon, 1 Jan 2024 00:00:00 +0900\r\n";
    auto report = [](const std::string& returned_part) {
        return "From: MAILER-DAEMON@mx.example.jp\r\nTo: taro@example.jp\r\nSubject: Undelivered Mail Returned to Sender\r\n"
               "MIME-Version: 1.0\r\nContent-Type: multipart/report; report-type=delivery-status; boundary=r\r\n\r\n"
               "--r\r\nContent-Type: text/plain\r\n\r\nThe mail could not be delivered.\r\n"
               "--r\r\nContent-Type: message/delivery-status\r\n\r\nFinal-Recipient: rfc822; phone@example.jp\r\n"
               "Action: failed\r\n\r\n--r\r\n" + returned_part + "\r\n--r--\r\n";
    };
    auto message_part = [](const std::string& headers) {
        return "Content-Type: message/rfc822\r\n\r\n" + headers + "\r\n<body>\r\n";
    };
    // A text with `marks` before each of its lines, as a mail program quotes it.
    auto quoted = [](const std::string& marks, const std::string& text) {
        std::string out;
        for (std::size_t at = 0; at < text.size();) {
            std::size_t end = text.find("\r\n", at);
            out += marks + text.substr(at, end - at) + "\r\n";
            at = end + 2;
        }
        return out;
    };
    auto postmaster_quoting = [&](const std::string& marks, const std::string& headers) {
        return "From: postmaster@mx.example.jp\r\nSubject: Returned mail: User unknown\r\n\r\n"
               "The original message was received at Mon, 1 Jan 2024 00:00:05 +0900.\r\n\r\n" +
               quoted(marks, "Return-Path: <taro@example.jp>\r\nReceived: from pc.example.jp\r\n" + headers +
                                 "\r\n<body>\r\n");
    };
    struct Case {
        const char* what;
        std::string mail;  // its header block, or the whole mail
        std::string marks;
    };
    const std::string plain = "From: hanako@example.jp\r\nSubject: hi\r\n";
    const std::vector<Case> cases{
        {"ordinary mail", plain, ""},
        {"List-Id", "From: x via jp-users <jp-users@lists.example.org>\r\nList-Id: <jp-users.lists.example.org>\r\n",
         "AUTOMATIC\r\n"},
        {"List-Post", plain + "List-Post: <mailto:jp-users@lists.example.org>\r\n", "AUTOMATIC\r\n"},
        {"List-Unsubscribe", plain + "List-Unsubscribe: <mailto:leave@lists.example.org>\r\n", "AUTOMATIC\r\n"},
        {"Precedence: bulk", plain + "Precedence: bulk\r\n", "AUTOMATIC\r\n"},
        {"Precedence: list", plain + "precedence: List\r\n", "AUTOMATIC\r\n"},
        {"Precedence: junk", plain + "Precedence:  junk (spam)\r\n", "AUTOMATIC\r\n"},
        {"Precedence: first-class", plain + "Precedence: first-class\r\n", ""},
        {"Auto-Submitted: auto-generated", plain + "Auto-Submitted: auto-generated\r\n", "AUTOMATIC\r\n"},
        {"Auto-Submitted: auto-replied", plain + "Auto-Submitted: (vacation) auto-replied; owner=x\r\n", "AUTOMATIC\r\n"},
        {"Auto-Submitted: no", plain + "Auto-Submitted: No (a person wrote it)\r\n", ""},
        {"a bounce of an own forward", report(message_part(forward_headers)), "AUTOMATIC\r\nRETURNED-FORWARD\r\n"},
        {"a bounce that returns only its headers",
         report("Content-Type: text/rfc822-headers\r\n\r\n" + forward_headers), "AUTOMATIC\r\nRETURNED-FORWARD\r\n"},
        {"a bounce of another mail", report(message_part(other_headers)), "AUTOMATIC\r\n"},
        {"a bounce of somebody else's forward",
         report(message_part("From: jiro@example.jp\r\nSubject: =?ISO-2022-JP?B?PBskQkU+GyhCPmx1bmNo?=\r\n")),
         "AUTOMATIC\r\n"},
        {"a bounce that copies the forward into its text",
         "From: MAILER-DAEMON@mx.example.jp\r\nSubject: failure notice\r\n\r\nI could not deliver your message.\r\n\r\n"
         "--- Below this line is a copy of the message.\r\n\r\nReturn-Path: <taro@example.jp>\r\n" + forward_headers +
             "\r\n<body>\r\n",
         "RETURNED-FORWARD\r\n"},
        {"a bounce that quotes the forward with \"> \"", postmaster_quoting("> ", forward_headers),
         "RETURNED-FORWARD\r\n"},
        {"a bounce that quotes the forward with \">\"", postmaster_quoting(">", forward_headers),
         "RETURNED-FORWARD\r\n"},
        {"a bounce that quotes the forward with \">> \"", postmaster_quoting(">> ", forward_headers),
         "RETURNED-FORWARD\r\n"},
        {"a report that quotes the forward in its text",
         report("Content-Type: text/plain\r\n\r\n" + quoted("> ", forward_headers)), "AUTOMATIC\r\nRETURNED-FORWARD\r\n"},
        {"a bounce that quotes another mail", postmaster_quoting("> ", other_headers), ""},
        {"a friend's reply that quotes an own forward",
         "From: sato@example.jp\r\nSubject: Re: lunch\r\n\r\nIs this yours?\r\n\r\n" +
             quoted("> ", "Return-Path: <taro@example.jp>\r\n" + forward_headers + "\r\n<body>\r\n"),
         ""},
        {"a friend's mail that attaches an own forward",
         "From: sato@example.jp\r\nSubject: yours?\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=m\r\n\r\n"
         "--m\r\nContent-Type: text/plain\r\n\r\nIs this yours?\r\n--m\r\n" + message_part(forward_headers) + "--m--\r\n",
         ""},
    };
    for (const Case& c : cases) {
        Harness h;
        h.write_lines("SYSTEM_F\\MAIL_DATA.txt", {"smtp.example.jp", "Taro", "taro@example.jp", "pop.example.jp",
                                                  "taro", "secret", "25", "110", "60", "HOST"});
        std::string mail = c.mail.find("\r\n\r\n") == std::string::npos ? c.mail + "\r\nhello\r\n" : c.mail;
        parse_text(h, mail);
        EXPECT_EQ(h.exists("SYSTEM_F\\YOMITORI_MARKS.txt") ? h.read("SYSTEM_F\\YOMITORI_MARKS.txt") : "", c.marks)
            << c.what;
    }
}

}  // namespace
}  // namespace tv::test
