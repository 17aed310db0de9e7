// The ledger of fetched messages, SYSTEM_F\.pop3_ledger: one line per stored message, the account
// key (server and user ID), a blank and the message's UIDL (which may itself hold blanks). A
// server at fault may list several messages under one UIDL: the ledger then holds the UIDL once
// per message stored, and the messages are taken in listing order. A stored message is never
// stored again.
//
// Between storing the files and writing the ledger a journal (SYSTEM_F\.pop3_ledger.pending) names
// the files and their UIDLs, so a run cut short there is completed by the next run instead of
// storing the same messages twice.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tv::mail {

class UidlLedger {
public:
    // Loads the entries of the account; completes a journal left by an interrupted run.
    UidlLedger(std::string_view server, std::string_view user);

    // How many messages listed under the UIDL are stored.
    std::size_t stored(const std::string& uidl) const;
    // One more message under the UIDL is stored.
    void add(const std::string& uidl) { ++counts_[uidl]; }
    // Forgets what the server no longer lists: a UIDL it lists n times counts at most n.
    void keep_only(const std::vector<std::string>& listed);

    // Names the stored files (in JUSINBOX) and their UIDLs before they are moved into place.
    void write_journal(const std::vector<std::pair<std::string, std::string>>& uidl_and_name) const;
    // Writes the ledger (other accounts' entries kept) and removes the journal.
    void save() const;

private:
    std::string key_;
    std::unordered_map<std::string, std::size_t> counts_;
};

}  // namespace tv::mail
