// Which received mail is forwarded and which sender is answered: the tests of the answering check,
// in their order, over the mail as logged, the check's inputs and the settings in memory.
#pragma once

#include <functional>
#include <string>

#include "answering/check_inputs.h"
#include "common/globals.h"

namespace tv::answering {

enum class ForwardVerdict {
    Forward,
    NoForwardAddress,
    ForwardingStopped,
    Unreadable,       // the receive could not read the mail
    OwnForward,       // our own forward came back, itself or in a bounce: forwarding it would loop
    RejectBook,
    SpamWord,
    NotSpecificSender,
};

ForwardVerdict forward_verdict(const LoggedMail& mail, const CheckInputs& in, const Globals& g,
                               const std::string& own_address);

enum class ReplyVerdict {
    Reply,
    ReplyingStopped,
    NoReplyText,
    Unreadable,
    RejectBook,
    PriorityRejectBook,
    SpamWord,
    NotSpecificSender,
    AnsweredToday,
    MailRobot,        // a list or a machine sent it: an answer reaches nobody or a whole list
    NotPlainAddress,  // no single plain address to answer
    OwnAddress,
};

struct ReplyDecision {
    ReplyVerdict verdict = ReplyVerdict::Reply;
    std::string address;  // the address answered (trimmed), once it is known
};

// `answered_today` is asked only when every earlier test passed.
ReplyDecision reply_decision(const LoggedMail& mail, const CheckInputs& in, const Globals& g,
                             const std::string& own_address,
                             const std::function<bool(const std::string&)>& answered_today);

// The address of a text that ends in one in angle brackets (the part after the last "<"), else
// the whole text.
std::string bare_address(const std::string& text);

// One address and nothing else: one "@" with text on both sides, no blank, ",", ";", "<", ">" or
// double quote.
bool is_plain_address(const std::string& address);

// A bounce or list robot: a bounce sender (common/mail_origin.h), or a local part that ends in
// "-request", "-owner" or "-bounces", letter case aside.
bool is_mail_robot(const std::string& address);

}  // namespace tv::answering
