// talvenor-mail receive: the mailbox of the account over POP3 into JUSINBOX.
//
// Order of a run, so that nothing is lost and nothing is stored twice: every new message is
// written under a hidden name; only when all arrived whole are they moved into JUSINBOX; then the
// ledger of fetched UIDLs is written; only then are messages deleted on the server (when the
// keep-on-server option is off), and the session ends with QUIT. A run that fails before the move
// leaves JUSINBOX and the server as they were. The whole run holds the program folder's transfer
// lock.
#include <cstdio>
#include <ctime>
#include <unordered_map>

#include "common/exchange_files.h"
#include "common/received_count_text.h"
#include "mail/commands.h"
#include "mail/transfer/account.h"
#include "mail/transfer/identity.h"
#include "mail/transfer/keep_on_server.h"
#include "mail/transfer/mail_names.h"
#include "mail/transfer/pop3_session.h"
#include "mail/transfer/staged_mailbox.h"
#include "mail/transfer/transfer_lock.h"
#include "mail/transfer/transfer_result.h"
#include "mail/transfer/uidl_ledger.h"

namespace tv::mail {


namespace {

constexpr const char* kInbox = "JUSINBOX";
constexpr const char* kMailExtension = ".eml";

std::string receive_mail() {
    AccountData account = read_account();
    Endpoint endpoint = make_endpoint(Protocol::kPop3, account.pop3_server(), port_number(account.pop3_port()));
    TransferLock lock(timeout_seconds(account));
    bool keep = keep_on_server();
    UidlLedger ledger(account.pop3_server(), account.user_id());
    StagedMailbox staged(kInbox);
    Pop3Session pop3(endpoint, account.user_id(), account.password(), timeout_seconds(account));

    std::vector<ListedMessage> listed = pop3.list();
    // libcurl takes a listing or a message cut short by a broken connection for a whole one; the
    // next command on the same connection proves it whole.
    pop3.check_connection();
    // The k-th message the server lists under a UIDL is stored once the ledger counts k of them.
    std::unordered_map<std::string, std::size_t> seen;
    std::vector<std::size_t> occurrence;
    std::vector<std::string> uidls;
    for (const auto& message : listed) {
        occurrence.push_back(++seen[message.uidl]);
        uidls.push_back(message.uidl);
    }
    ledger.keep_only(uidls);

    std::vector<std::string> fetched;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const ListedMessage& message = listed[i];
        if (occurrence[i] <= ledger.stored(message.uidl)) continue;
        staged.begin(identity_line(account.pop3_server(), account.user_id(), message.uidl, occurrence[i]));
        pop3.retrieve(message.number, [&staged](std::string_view bytes) { return staged.append(bytes); });
        staged.finish();
        ledger.add(message.uidl);
        fetched.push_back(message.uidl);
    }
    if (!fetched.empty()) {
        pop3.check_connection();
        std::vector<std::string> names = next_mail_names(kInbox, fetched.size(), kMailExtension, std::time(nullptr));
        std::vector<std::pair<std::string, std::string>> journal;
        for (std::size_t i = 0; i < names.size(); ++i) journal.emplace_back(fetched[i], names[i]);
        ledger.write_journal(journal);
        staged.commit(names);
    }

    // The mail is stored: nothing from here on turns the run into a failure.
    bool ledger_written = true;
    try {
        ledger.save();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "talvenor-mail: ledger not written: %s\n", e.what());
        ledger_written = false;
    }
    if (!keep && ledger_written) {
        try {
            for (std::size_t i = 0; i < listed.size(); ++i) {
                if (occurrence[i] <= ledger.stored(listed[i].uidl)) pop3.remove(listed[i].number);
            }
        } catch (const TransferError&) {
            // What was not deleted now is deleted by the next run: the ledger holds it.
        }
    }
    pop3.quit();
    return done_line(received_count_text(fetched.size()));
}

}  // namespace

int run_receive() {
    std::string line;
    try {
        line = receive_mail();
    } catch (const TransferError& error) {
        line = error_line(Direction::kReceive, error);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talvenor-mail receive: %s\n", error.what());
        line = error_line(Direction::kReceive, TransferError(Failure::kLocal, {}));
    }
    try {
        write_result(Direction::kReceive, line);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talvenor-mail receive: result not written: %s\n", error.what());
        return 1;
    }
    return line.starts_with(exchange::kResultDone) ? 0 : 1;
}

}  // namespace tv::mail
