#include "compose/composed_mail.h"

#include <array>
#include <optional>

#include "common/account_file.h"
#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/recipient_line.h"
#include "common/request_lines.h"
#include "common/sjis.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "compose/messages.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "transfer/account.h"
#include "transfer/component_check.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

enum class Check { ToEmpty, NotSendable, SubjectEmpty };

// The checks of the form, in the order they are made. Saving titles its boxes without the "!"; it
// refuses a recipient the mail component cannot send too, since a stored mail's To box is locked.
struct FormCheck {
    Check check;
    const char* send_title;
    const char* save_title;
    const char* text;
};

constexpr std::array<FormCheck, 3> kChecks{{
    {Check::ToEmpty, "NOT EXIST ADDRESS!", "NOT EXIST ADDRESS", "宛先が入力されていません。   "},
    {Check::NotSendable, "BAD ADDRESS!", "BAD ADDRESS", "この宛先は送信できません。   "},
    {Check::SubjectEmpty, "NOT EXIST SUBJECT!", "NOT EXIST SUBJECT", "件名が入力されていません。   "},
}};

// A header value stays on its own line whatever was pasted into its box.
std::string one_line(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

// Why the mail fails the check, told below the check's own text ("" when that text says all);
// nullopt when it passes.
std::optional<std::string> failure(Check check, const ComposedMail& mail) {
    switch (check) {
        case Check::ToEmpty:
            if (mail.recipient.empty()) return "";
            break;
        // This also refuses the unreadable-mail marker (exchange::kUnreadableMail), which a reply
        // to a mail the parse could not read brings. "TO:" and the text must fit one request line.
        case Check::NotSendable:
            if (mail.recipient.size() + 3 > files::kMaxLineBytes) return "宛先が長すぎます"_sj;
            if (std::string fault = read_recipient_line(one_line(mail.recipient)).fault; !fault.empty()) return fault;
            break;
        case Check::SubjectEmpty:
            if (mail.subject.empty()) return "";
            break;
    }
    return std::nullopt;
}

// The account; a reading of the file is followed by a pause, as every reading of a file that
// another program may write next.
AccountData read_account() {
    AccountData account = read_account_file();
    if (files::file_exists(exchange::kAccountFile)) pf::pause(20);
    return account;
}

}  // namespace

std::string from_line() { return read_account().from_line(); }

ComposedMail composed_mail() {
    pf::Form& f = pf::form("FORM9");
    ComposedMail mail;
    mail.recipient = trim(f.control("EDIT12").text);
    mail.subject = trim(f.control("EDIT14").text);
    mail.body = f.control("LIST14").items();
    for (const auto& path : f.control("LIST12").items()) mail.attachments.push_back(trim(path));
    return mail;
}

bool ready_to(ComposeAction action, const ComposedMail& mail) {
    if (!read_account().is_set()) {
        transfer::show_account_not_set("FORM9");
        return false;
    }
    transfer::BASP_CHECK("FORM9");
    globals().UNSENT_MODE = 0;
    for (const auto& c : kChecks) {
        const char* title = action == ComposeAction::Send ? c.send_title : c.save_title;
        if (std::optional<std::string> reason = failure(c.check, mail)) {
            pf::inform("FORM9", sj(title), reason->empty() ? sj(c.text) : sj(c.text) + "\r\n\r\n" + *reason);
            return false;
        }
    }
    return true;
}

std::vector<std::string> request_lines(const ComposedMail& mail, const std::string& from_line) {
    std::vector<std::string> lines{"TO:" + one_line(mail.recipient), from_line, "SUBJECT:" + one_line(mail.subject)};
    for (const auto& line : mail.body) lines.push_back(request_body_line(line));
    for (const auto& path : mail.attachments) lines.push_back(std::string(kAttachmentPrefix) + one_line(path));
    if (mail.attachments.empty()) lines.emplace_back(kAttachmentPrefix);
    lines.emplace_back(kRequestEndLine);
    return lines;
}

}  // namespace tv::compose
