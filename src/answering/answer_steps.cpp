#include "answering/answer_steps.h"

#include <functional>

#include "answering/answer_rules.h"
#include "answering/forward_mail.h"
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

// Writes the request and sends it silently; `handed_over` runs as soon as SOUSIN has returned.
void send_request(const std::vector<std::string>& request, const std::function<void()>& handed_over) {
    files::write_lines(exchange::kSendRequestFile, request);
    pf::pause(20);
    globals().MANUAL_TRANSFER = 0;
    pf::EVENT_PUMP();
    transfer::SOUSIN();
    handed_over();
}

std::vector<std::string> listed_reply_attachments() {
    return pf::form("MAINFORM").control("LIST21").items();
}

}  // namespace

void forward_step(const LoggedMail& mail, const CheckInputs& in, CheckProgress& progress) {
    Globals& g = globals();
    ForwardBody body = build_forward_body(mail);
    AccountData account = read_account_file();
    if (forward_verdict(mail, in, g, account.sender_address()) != ForwardVerdict::Forward) {
        progress.forward_done = true;
        return;
    }
    auto request = forward_request(body, mail, account, g.FORWARD_ADDRESS, numeric_value(g.FORWARD_ATTACHMENTS) != 0);
    g.SEND_TO_TEXT = trim(g.FORWARD_ADDRESS);
    send_request(request, [&] { progress.forward_done = true; });
    transfer::set_handovers_idle();
}

void reply_step(const LoggedMail& mail, const CheckInputs& in, CheckProgress& progress) {
    Globals& g = globals();
    AccountData account = read_account_file();
    ReplyDecision decision = reply_decision(mail, in, g, account.sender_address(), answered_today);
    if (decision.verdict != ReplyVerdict::Reply) {
        ++progress.mails_done;
        progress.forward_done = false;
        return;
    }
    g.SEND_TO_TEXT = trim(mail.sender);
    auto request = reply_request(decision.address, account, mail.subject, in.reply_text_lines, listed_reply_attachments());
    send_request(request, [&] {
        ++progress.mails_done;
        progress.forward_done = false;
    });
    // Logged whatever became of the send: a sender is answered at most once a day.
    record_reply(decision.address);
    transfer::set_handovers_idle();
}

}  // namespace tv::answering
