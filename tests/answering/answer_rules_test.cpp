// Which mail is forwarded and which sender answered, as tables over the settings, the books and
// the spam words.
#include <gtest/gtest.h>

#include <functional>

#include "answering/answer_rules.h"
#include "common/sjis.h"

namespace tv::answering {
namespace {

using namespace tv::literals;
using F = ForwardVerdict;
using R = ReplyVerdict;

const std::string kOwn = "taro@example.jp";

struct World {
    Globals g;
    CheckInputs in;
    LoggedMail mail;
    bool answered_today = false;
};

World base() {
    World s;
    s.g.FORWARD_ADDRESS = "Phone <me@phone.example.jp>";
    s.g.FORWARD_STOPPED = "0         ";
    s.g.REPLY_STOPPED = "0         ";
    s.in.reject = {{"Spam Co", "spam@bad.example"}, {"", "empty-name@bad.example"}, {"No Address", ""}};
    s.in.priority = {{"Boss", "boss@corp.example"}};
    s.in.specific = {{"Friend", "friend@ok.example"}, {"", "hanako@example.jp"}, {"Nameless", ""}};
    s.in.spam_words = {"", "casino"};
    s.in.reply_text_name = "thanks.txt";
    s.in.reply_text_file_count = 1;
    s.mail.sender = "Hanako <hanako@example.jp>";
    s.mail.subject = "hello";
    s.mail.body = "hiCrLfFILE:CrLfENDDAYOPPI_AKASATA_HONYOHOYNYO";
    return s;
}

struct Case {
    const char* name;
    std::function<void(World&)> change;
    F forward;
    R reply;
    std::string address = {};  // the address answered, when answered
};

TEST(AnswerRules, ForwardAndReplyDecisions) {
    std::vector<Case> cases{
        {"ordinary mail", [](World&) {}, F::Forward, R::Reply, "hanako@example.jp"},
        {"no forward address", [](World& s) { s.g.FORWARD_ADDRESS = "\x81\x40 "; }, F::NoForwardAddress, R::Reply,
         "hanako@example.jp"},
        {"forwarding stopped", [](World& s) { s.g.FORWARD_STOPPED = " 1"; }, F::ForwardingStopped, R::Reply,
         "hanako@example.jp"},
        {"replying stopped", [](World& s) { s.g.REPLY_STOPPED = "01"; }, F::Forward, R::ReplyingStopped},
        {"unreadable subject", [](World& s) { s.mail.subject = "x can not read mail ! y"; }, F::Unreadable,
         R::Unreadable},
        {"unreadable sender", [](World& s) { s.mail.sender = "can not read mail !"; }, F::Unreadable, R::Unreadable},
        {"reject book by address", [](World& s) { s.mail.sender = "X <spam@bad.example>"; }, F::RejectBook,
         R::RejectBook},
        {"reject book by name alone", [](World& s) { s.mail.sender = "Spam Co <other@else.example>"; }, F::RejectBook,
         R::RejectBook},
        {"reject entries lacking a name or an address take no part",
         [](World& s) { s.mail.sender = "No Address <empty-name@bad.example>"; }, F::Forward, R::Reply,
         "empty-name@bad.example"},
        {"reject book allowed for both",
         [](World& s) {
             s.mail.sender = "<spam@bad.example>";
             s.g.REJECT_ALLOW_FORWARD = "1";
             s.g.REJECT_ALLOW_REPLY = "1";
         },
         F::Forward, R::Reply, "spam@bad.example"},
        {"priority book is never lifted",
         [](World& s) {
             s.mail.sender = "boss@corp.example";
             s.g.REJECT_ALLOW_REPLY = "1";
         },
         F::Forward, R::PriorityRejectBook},
        {"spam word with both filters off", [](World& s) { s.mail.body = "casino night"; }, F::Forward, R::Reply,
         "hanako@example.jp"},
        {"spam word in the body stops the forward",
         [](World& s) {
             s.mail.body = "casino night";
             s.g.FORWARD_SPAM_FILTER = "1";
         },
         F::SpamWord, R::Reply, "hanako@example.jp"},
        {"spam word in the subject stops the reply",
         [](World& s) {
             s.mail.subject = "casino";
             s.g.REPLY_SPAM_FILTER = "1";
         },
         F::Forward, R::SpamWord},
        {"forward only to specific senders: another sender",
         [](World& s) {
             s.g.FORWARD_ONLY_SPECIFIC = "1";
             s.mail.sender = "Other <other@else.example>";
         },
         F::NotSpecificSender, R::Reply, "other@else.example"},
        {"forward only to specific senders: the book alone decides",
         [](World& s) {
             s.g.FORWARD_ONLY_SPECIFIC = "1";
             s.g.FORWARD_SPAM_FILTER = "1";
             s.in.reject.push_back({"Friend", "friend@ok.example"});
             s.mail.sender = "Friend <friend@ok.example>";
             s.mail.subject = "casino";
         },
         F::Forward, R::RejectBook},
        {"reply only to specific senders, one also in the priority book",
         [](World& s) {
             s.g.REPLY_ONLY_SPECIFIC = "1";
             s.g.REPLY_SPAM_FILTER = "1";
             s.in.priority.push_back({"Friend", "friend@ok.example"});
             s.mail.sender = "friend@ok.example";
             s.mail.body = "casino";
         },
         F::Forward, R::Reply, "friend@ok.example"},
        {"specific entries without a name or an address let nobody pass",
         [](World& s) {
             s.g.REPLY_ONLY_SPECIFIC = "1";
             s.g.FORWARD_ONLY_SPECIFIC = "1";
         },
         F::NotSpecificSender, R::NotSpecificSender},
        {"empty specific book", [](World& s) {
             s.g.REPLY_ONLY_SPECIFIC = "1";
             s.in.specific.clear();
         }, F::Forward, R::NotSpecificSender},
        {"the own address is not answered", [](World& s) { s.mail.sender = "Me <" + kOwn + ">"; }, F::Forward,
         R::OwnAddress},
        {"the own address in other letter case is not answered either",
         [](World& s) { s.mail.sender = "Me <TARO@Example.JP>"; }, F::Forward, R::OwnAddress},
        {"our own forward coming back is not forwarded again",
         [](World& s) {
             s.mail.sender = "Taro <TARO@example.jp>";
             s.mail.subject = "<転>hello"_sj;
         },
         F::OwnForward, R::OwnAddress},
        {"a bounce that returns our own forward", [](World& s) {
             s.mail.sender = "MAILER-DAEMON@mx.example.jp";
             s.mail.marks = "AUTOMATIC RETURNED-FORWARD";
         }, F::OwnForward, R::MailRobot},
        {"a list or a machine sent it: forwarded, not answered",
         [](World& s) { s.mail.marks = "AUTOMATIC"; }, F::Forward, R::MailRobot},
        {"a display name that looks like an address, without one",
         [](World& s) { s.mail.sender = "victim@example.org <>"; }, F::Forward, R::NotPlainAddress},
        {"a quoted display name alone", [](World& s) { s.mail.sender = "\"victim@example.org\""; }, F::Forward,
         R::NotPlainAddress},
        {"no reply-text file listed at the start", [](World& s) { s.in.reply_text_file_count = 0; }, F::Forward,
         R::NoReplyText},
        {"the chosen reply text is gone", [](World& s) { s.in.reply_text_name.clear(); }, F::Forward, R::NoReplyText},
        {"answered today", [](World& s) { s.answered_today = true; }, F::Forward, R::AnsweredToday},
        {"a bounce", [](World& s) { s.mail.sender = "Mail Delivery <MAILER-DAEMON@example.jp>"; }, F::Forward,
         R::MailRobot},
        {"a list robot", [](World& s) { s.mail.sender = "talk-request@lists.example"; }, F::Forward, R::MailRobot},
        {"postmaster", [](World& s) { s.mail.sender = "<Postmaster@example.jp>"; }, F::Forward, R::MailRobot},
        {"empty angle brackets", [](World& s) { s.mail.sender = "Nobody <>"; }, F::Forward, R::NotPlainAddress},
        {"a comment after the address", [](World& s) { s.mail.sender = "<a@example.jp> (Hanako)"; }, F::Forward,
         R::NotPlainAddress},
        {"two addresses", [](World& s) { s.mail.sender = "a@example.jp, b@example.jp"; }, F::Forward,
         R::NotPlainAddress},
        {"an empty sender", [](World& s) { s.mail.sender.clear(); }, F::Forward, R::NotPlainAddress},
        {"the last angle bracket counts", [](World& s) { s.mail.sender = "a <x> b <hanako@example.jp>"; }, F::Forward,
         R::Reply, "hanako@example.jp"},
    };
    for (const auto& c : cases) {
        World s = base();
        c.change(s);
        EXPECT_EQ(forward_verdict(s.mail, s.in, s.g, kOwn), c.forward) << c.name;
        ReplyDecision d = reply_decision(s.mail, s.in, s.g, kOwn, [&](const std::string&) { return s.answered_today; });
        EXPECT_EQ(d.verdict, c.reply) << c.name;
        if (c.reply == R::Reply) {
            EXPECT_EQ(d.address, c.address) << c.name;
        }
    }
}

TEST(AnswerRules, PlainAddressesAndRobots) {
    struct Case { std::string address; bool plain; bool robot; };
    std::vector<Case> cases{
        {"hanako@example.jp", true, false},
        {"a@b@example.jp", false, false},
        {"@example.jp", false, false},
        {"hanako@", false, false},
        {"hana ko@example.jp", false, false},
        {"hanako@example.jp;x", false, false},
        {"全角"_sj + "\x81\x40@example.jp", false, false},
        {"ソ@example.jp"_sj, true, false},  // the second byte of ソ is no "\"
        {"news-owner@lists.example", true, true},
        {"news-Bounces@lists.example", true, true},
        {"owner@lists.example", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(is_plain_address(c.address), c.plain) << c.address;
        if (c.plain) {
            EXPECT_EQ(is_mail_robot(c.address), c.robot) << c.address;
        }
    }
    EXPECT_EQ(bare_address(" Phone <me@phone.example.jp> "), "me@phone.example.jp");
    EXPECT_EQ(bare_address("me@phone.example.jp"), "me@phone.example.jp");
    EXPECT_EQ(bare_address("<a> b"), "<a> b");
}

}  // namespace
}  // namespace tv::answering
