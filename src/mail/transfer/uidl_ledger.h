// The ledger of fetched messages, SYSTEM_F\.pop3_ledger: one line per message, the account key
// (server and user ID) and the message's UIDL. A message in the ledger is never stored again.
//
// Between storing the files and writing the ledger a journal (SYSTEM_F\.pop3_ledger.pending) names
// the files and their UIDLs, so a run cut short there is completed by the next run instead of
// storing the same messages twice.
#pragma once

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tv::mail {

class UidlLedger {
public:
    // Loads the entries of the account; completes a journal left by an interrupted run.
    UidlLedger(std::string_view server, std::string_view user);

    bool contains(const std::string& uidl) const { return uidls_.count(uidl) > 0; }
    void add(const std::string& uidl) { uidls_.insert(uidl); }
    // Forgets every UIDL the server no longer lists.
    void keep_only(const std::vector<std::string>& listed);

    // Names the stored files (in JUSINBOX) and their UIDLs before they are moved into place.
    void write_journal(const std::vector<std::pair<std::string, std::string>>& uidl_and_name) const;
    // Writes the ledger (other accounts' entries kept) and removes the journal.
    void save() const;

private:
    std::string key_;
    std::unordered_set<std::string> uidls_;
};

}  // namespace tv::mail
