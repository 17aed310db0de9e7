#include "mail/transfer/uidl_ledger.h"

#include <algorithm>

#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "mail/transfer/identity.h"

namespace tv::mail {

namespace {

constexpr const char* kLedgerFile = "SYSTEM_F\\.pop3_ledger";
constexpr const char* kJournalFile = "SYSTEM_F\\.pop3_ledger.pending";
constexpr unsigned kPrivateMode = 0600;

// "key uidl" lines of the ledger, or "key uidl name" lines of the journal.
struct Entry {
    std::string key;
    std::string uidl;
    std::string name;
};

std::vector<Entry> read_entries(const char* path) {
    std::vector<Entry> entries;
    auto lines = files::read_lines(path);
    if (!lines) return entries;
    for (const std::string& line : *lines) {
        std::size_t first = line.find(' ');
        if (first == std::string::npos) continue;
        std::size_t second = line.find(' ', first + 1);
        Entry entry{line.substr(0, first), line.substr(first + 1, second == std::string::npos ? second : second - first - 1),
                    second == std::string::npos ? std::string() : line.substr(second + 1)};
        if (!entry.uidl.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace

UidlLedger::UidlLedger(std::string_view server, std::string_view user) : key_(sha1_hex({lower_ascii(server), user})) {
    for (const Entry& entry : read_entries(kLedgerFile)) {
        if (entry.key == key_) uidls_.insert(entry.uidl);
    }
    // A journal means the last run stopped between storing its files and writing the ledger: the
    // files that reached the receive box are fetched.
    auto journal = read_entries(kJournalFile);
    if (journal.empty()) {
        files::remove_if_exists(kJournalFile);
        return;
    }
    std::vector<std::string> lines;
    for (const Entry& entry : read_entries(kLedgerFile)) lines.push_back(entry.key + " " + entry.uidl);
    for (const Entry& entry : journal) {
        if (!files::file_exists(files::join("JUSINBOX", entry.name))) continue;
        lines.push_back(entry.key + " " + entry.uidl);
        if (entry.key == key_) uidls_.insert(entry.uidl);
    }
    files::write_lines_atomic(kLedgerFile, lines, kPrivateMode);
    files::remove_if_exists(kJournalFile);
}

void UidlLedger::keep_only(const std::vector<std::string>& listed) {
    std::unordered_set<std::string> kept;
    for (const std::string& uidl : listed) {
        if (uidls_.count(uidl)) kept.insert(uidl);
    }
    uidls_ = std::move(kept);
}

void UidlLedger::write_journal(const std::vector<std::pair<std::string, std::string>>& uidl_and_name) const {
    std::vector<std::string> lines;
    lines.reserve(uidl_and_name.size());
    for (const auto& [uidl, name] : uidl_and_name) lines.push_back(key_ + " " + uidl + " " + name);
    files::write_lines_atomic(kJournalFile, lines, kPrivateMode);
}

void UidlLedger::save() const {
    std::vector<std::string> lines;
    for (const Entry& entry : read_entries(kLedgerFile)) {
        if (entry.key != key_) lines.push_back(entry.key + " " + entry.uidl);
    }
    std::vector<std::string> mine(uidls_.begin(), uidls_.end());
    std::sort(mine.begin(), mine.end());
    for (const std::string& uidl : mine) lines.push_back(key_ + " " + uidl);
    files::write_lines_atomic(kLedgerFile, lines, kPrivateMode);
    files::remove_if_exists(kJournalFile);
}

}  // namespace tv::mail
