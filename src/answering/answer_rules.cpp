#include "answering/answer_rules.h"

#include <vector>

#include "common/answering_log.h"
#include "common/exchange_files.h"
#include "common/mail_origin.h"
#include "common/sjis.h"

namespace tv::answering {

using namespace tv::literals;

namespace {

bool unreadable(const LoggedMail& mail) {
    return contains_text(mail.sender, exchange::kUnreadableMail) || contains_text(mail.subject, exchange::kUnreadableMail);
}

// A book of which an entry refuses the sender by its name or by its address; entries lacking
// either take no part.
bool in_book(const std::vector<AddressEntry>& book, const std::string& sender) {
    for (const auto& e : book) {
        if (e.name.empty() || e.address.empty()) continue;
        if (contains_text(sender, e.name) || contains_text(sender, e.address)) return true;
    }
    return false;
}

bool has_spam_word(const LoggedMail& mail, const std::vector<std::string>& words) {
    for (const auto& word : words) {
        if (word.empty()) continue;
        if (contains_text(mail.sender, word) || contains_text(mail.subject, word) || contains_text(mail.body, word)) return true;
    }
    return false;
}

// The specific-sender book lets a mail pass when the sender contains an entry's address; an
// entry without a name or without an address takes no part.
bool specific_sender(const std::vector<AddressEntry>& book, const std::string& sender) {
    for (const auto& e : book) {
        if (e.name.empty() || e.address.empty()) continue;
        if (contains_text(sender, e.address)) return true;
    }
    return false;
}

bool on(const std::string& flag) { return numeric_value(flag) > 0; }

}  // namespace

std::string bare_address(const std::string& text) {
    std::string a = trim(text);
    std::size_t open = a.rfind('<');
    if (open == std::string::npos || a.find('>') == std::string::npos || a.back() != '>') return a;
    return a.substr(open + 1, a.size() - open - 2);
}

bool is_plain_address(const std::string& address) {
    int ats = 0;
    for (std::size_t i = 0; i < address.size(); i += char_length(address, i)) {
        if (char_length(address, i) == 2) {
            if (address.compare(i, 2, "\x81\x40") == 0) return false;  // a full-width blank
            continue;
        }
        char c = address[i];
        if (c == '@') {
            if (++ats > 1 || i == 0 || i + 1 == address.size()) return false;
        } else if (c == ' ' || c == ',' || c == ';' || c == '<' || c == '>' || c == '"' || c == '\t') {
            return false;
        }
    }
    return ats == 1;
}

bool is_mail_robot(const std::string& address) {
    if (is_bounce_sender(address)) return true;
    std::string local = lower_ascii(address.substr(0, find_first_char(address, '@')));
    for (const char* tail : {"-request", "-owner", "-bounces"}) {
        if (local.ends_with(tail)) return true;
    }
    return false;
}

ForwardVerdict forward_verdict(const LoggedMail& mail, const CheckInputs& in, const Globals& g,
                               const std::string& own_address) {
    if (trim(g.FORWARD_ADDRESS).empty()) return ForwardVerdict::NoForwardAddress;
    if (numeric_value(g.FORWARD_STOPPED) == 1) return ForwardVerdict::ForwardingStopped;
    if (unreadable(mail)) return ForwardVerdict::Unreadable;
    if (is_own_forward(mail.subject, bare_address(mail.sender), own_address) ||
        has_mark(mail.marks, exchange::kMarkReturnedForward)) {
        return ForwardVerdict::OwnForward;
    }
    if (on(g.FORWARD_ONLY_SPECIFIC)) {
        return specific_sender(in.specific, mail.sender) ? ForwardVerdict::Forward : ForwardVerdict::NotSpecificSender;
    }
    if (numeric_value(g.REJECT_ALLOW_FORWARD) != 1 && in_book(in.reject, mail.sender)) return ForwardVerdict::RejectBook;
    if (on(g.FORWARD_SPAM_FILTER) && has_spam_word(mail, in.spam_words)) return ForwardVerdict::SpamWord;
    return ForwardVerdict::Forward;
}

ReplyDecision reply_decision(const LoggedMail& mail, const CheckInputs& in, const Globals& g,
                             const std::string& own_address,
                             const std::function<bool(const std::string&)>& answered_today) {
    auto refuse = [](ReplyVerdict v) { return ReplyDecision{v, {}}; };
    if (numeric_value(g.REPLY_STOPPED) == 1) return refuse(ReplyVerdict::ReplyingStopped);
    if (in.reply_text_file_count == 0 || trim(in.reply_text_name).empty()) return refuse(ReplyVerdict::NoReplyText);
    if (unreadable(mail)) return refuse(ReplyVerdict::Unreadable);
    if (!on(g.REPLY_ONLY_SPECIFIC)) {
        if (numeric_value(g.REJECT_ALLOW_REPLY) != 1 && in_book(in.reject, mail.sender)) {
            return refuse(ReplyVerdict::RejectBook);
        }
        if (in_book(in.priority, mail.sender)) return refuse(ReplyVerdict::PriorityRejectBook);
        if (on(g.REPLY_SPAM_FILTER) && has_spam_word(mail, in.spam_words)) return refuse(ReplyVerdict::SpamWord);
    } else if (!specific_sender(in.specific, mail.sender)) {
        return refuse(ReplyVerdict::NotSpecificSender);
    }
    if (answered_today(mail.sender)) return refuse(ReplyVerdict::AnsweredToday);
    std::string address = bare_address(mail.sender);
    if (!is_plain_address(address)) return refuse(ReplyVerdict::NotPlainAddress);
    if (is_mail_robot(address) || has_mark(mail.marks, exchange::kMarkAutomatic)) return refuse(ReplyVerdict::MailRobot);
    if (same_address(own_address, address)) return refuse(ReplyVerdict::OwnAddress);
    return ReplyDecision{ReplyVerdict::Reply, address};
}

}  // namespace tv::answering
