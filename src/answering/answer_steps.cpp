#include "answering/answer_steps.h"

#include "answering/answer_rules.h"
#include "answering/check_record.h"
#include "answering/forward_mail.h"
#include "answering/reparsed_attachments.h"
#include "answering/reply_log.h"
#include "answering/reply_mail.h"
#include "common/account_file.h"
#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "transfer/handover_files.h"
#include "transfer/send.h"

namespace tv::answering {

namespace pf = tv::platform;

namespace {

void write_request(const std::vector<std::string>& request) {
    files::write_lines(exchange::kSendRequestFile, request);
    pf::pause(20);
}

// Sends the written request silently.
void hand_over() {
    globals().MANUAL_TRANSFER = 0;
    pf::EVENT_PUMP();
    transfer::SOUSIN();
}

std::vector<std::string> listed_reply_attachments() {
    return pf::form("MAINFORM").control("LIST21").items();
}

}  // namespace

void forward_step(const LoggedMail& mail, const CheckInputs& in) {
    if (mail.forwarded) return;
    Globals& g = globals();
    ForwardBody body = build_forward_body(mail);
    AccountData account = read_account_file();
    if (forward_verdict(mail, in, g, account.sender_address()) != ForwardVerdict::Forward) return;
    bool with_attachments = numeric_value(g.FORWARD_ATTACHMENTS) != 0;
    LoggedMail forwarded = mail;
    if (with_attachments && attachment_names_forgotten(mail, body)) {
        forwarded = with_attachments_parsed_again(mail);
        body = build_forward_body(forwarded);
    }
    auto request = forward_request(body, forwarded, account, g.FORWARD_ADDRESS, with_attachments);
    g.SEND_TO_TEXT = trim(g.FORWARD_ADDRESS);
    write_request(request);
    hand_over();
    write_down_forwarded(mail);
    transfer::set_handovers_idle();
}

void reply_step(const LoggedMail& mail, const CheckInputs& in) {
    Globals& g = globals();
    if (mail.reply_handed) {
        write_down_done(mail);
        return;
    }
    AccountData account = read_account_file();
    ReplyDecision decision = reply_decision(mail, in, g, account.sender_address(), answered_today);
    if (decision.verdict != ReplyVerdict::Reply) {
        write_down_done(mail);
        return;
    }
    g.SEND_TO_TEXT = trim(mail.sender);
    auto request = reply_request(decision.address, account, mail.subject, in.reply_text_lines, listed_reply_attachments());
    write_request(request);
    // Logged right before it is handed over, and whatever becomes of the send: a kill in between
    // costs this reply, never a second one, and a sender is answered at most once a day.
    record_reply(decision.address);
    write_down_reply_handed(mail);
    hand_over();
    write_down_done(mail);
    transfer::set_handovers_idle();
}

}  // namespace tv::answering
