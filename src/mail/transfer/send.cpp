// talvenor-mail send: SYSTEM_F\DEL_SOUSIN.txt over SMTP; on success one sent-mail file in SOUSINBOX.
#include <cstdio>
#include <ctime>

#include "common/errors.h"
#include "common/exchange_files.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "mail/commands.h"
#include "mail/transfer/account.h"
#include "mail/transfer/addresses.h"
#include "mail/transfer/message_builder.h"
#include "mail/transfer/send_request.h"
#include "mail/transfer/sent_mail_file.h"
#include "mail/transfer/smtp_session.h"
#include "mail/transfer/transfer_lock.h"
#include "mail/transfer/transfer_result.h"

namespace tv::mail {

using namespace tv::literals;

namespace {

std::vector<Attachment> read_attachments(const std::vector<std::string>& paths) {
    std::vector<Attachment> attachments;
    for (const auto& path : paths) {
        std::optional<std::string> data;
        try {
            data = files::read_bytes(path);
        } catch (const RuntimeError&) {
            throw TransferError(Failure::kRequest, "添付ファイルを読み込めません "_sj + path);
        }
        if (!data) throw TransferError(Failure::kRequest, "添付ファイルが見つかりません "_sj + path);
        attachments.push_back({files::split_folder_name(path).second, std::move(*data)});
    }
    return attachments;
}

std::string domain_of(const std::string& address, const std::string& fallback) {
    std::size_t at = address.rfind('@');
    std::string domain = at == std::string::npos ? std::string() : address.substr(at + 1);
    return is_sendable_address("x@" + domain) ? domain : fallback;
}

std::string send_mail() {
    AccountData account = read_account();
    TransferLock lock(timeout_seconds(account));
    SendRequest request = read_send_request();
    OutgoingMail mail;
    mail.from = read_mailbox(request.from);
    if (!is_sendable_address(mail.from.address)) mail.from = {account.sender_name(), account.sender_address()};
    if (!is_sendable_address(mail.from.address)) {
        throw TransferError(Failure::kAccount, "メールアドレス "_sj + mail.from.address);
    }
    mail.to = parse_recipients(request.to);
    mail.subject = request.subject;
    // The answering mode's replies are the only requests whose subject begins with its mark.
    mail.automatic_reply = trim(request.subject).starts_with(exchange::kReplySubjectMark);
    mail.body = request.body;
    mail.attachments = read_attachments(request.attachments);
    mail.date = std::time(nullptr);
    mail.id_domain = domain_of(mail.from.address, ehlo_name(account.local_host()));

    std::vector<std::string> recipients;
    for (const auto& recipient : mail.to) recipients.push_back(recipient.address);
    send_over_smtp(account, mail.from.address, recipients, build_message(mail));

    // The mail has gone: a sent-mail file that cannot be written must not make it look unsent.
    try {
        write_sent_mail_file(request, mail.date);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talvenor-mail send: sent-mail file not written: %s\n", error.what());
        return done_line("メールを送信しました。送信済みメールは保存できませんでした。"_sj);
    }
    return done_line("メールを送信しました。"_sj);
}

}  // namespace

int run_send() {
    std::string line;
    try {
        line = send_mail();
    } catch (const TransferError& error) {
        line = error_line(Direction::kSend, error);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talvenor-mail send: %s\n", error.what());
        line = error_line(Direction::kSend, TransferError(Failure::kLocal, {}));
    }
    try {
        write_result(Direction::kSend, line);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talvenor-mail send: result not written: %s\n", error.what());
        return 1;
    }
    return line.starts_with(exchange::kResultDone) ? 0 : 1;
}

}  // namespace tv::mail
