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

// "key uidl" lines of the ledger, or "key uidl name" lines of the journal. The key is hex and a
// stored name has no blank, so only a UIDL can hold blanks: it is everything between the two.
struct Entry {
    std::string key;
    std::string uidl;
    std::string name;
};

std::vector<Entry> read_entries(const char* path, bool named) {
    std::vector<Entry> entries;
    auto lines = files::read_lines(path);
    if (!lines) return entries;
    for (const std::string& line : *lines) {
        std::size_t first = line.find(' ');
        if (first == std::string::npos) continue;
        std::size_t last = named ? line.rfind(' ') : std::string::npos;
        if (named && last <= first) continue;
        Entry entry{line.substr(0, first), line.substr(first + 1, named ? last - first - 1 : std::string::npos),
                    named ? line.substr(last + 1) : std::string()};
        if (!entry.uidl.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<Entry> ledger_entries() { return read_entries(kLedgerFile, false); }

}  // namespace

UidlLedger::UidlLedger(std::string_view server, std::string_view user) : key_(sha1_hex({lower_ascii(server), user})) {
    for (const Entry& entry : ledger_entries()) {
        if (entry.key == key_) add(entry.uidl);
    }
    // A journal means the last run stopped between storing its files and writing the ledger: the
    // files that reached the receive box are fetched.
    auto journal = read_entries(kJournalFile, true);
    if (journal.empty()) {
        files::remove_if_exists(kJournalFile);
        return;
    }
    std::vector<std::string> lines;
    for (const Entry& entry : ledger_entries()) lines.push_back(entry.key + " " + entry.uidl);
    for (const Entry& entry : journal) {
        if (!files::file_exists(files::join("JUSINBOX", entry.name))) continue;
        lines.push_back(entry.key + " " + entry.uidl);
        if (entry.key == key_) add(entry.uidl);
    }
    files::write_lines_atomic(kLedgerFile, lines, kPrivateMode);
    files::remove_if_exists(kJournalFile);
}

std::size_t UidlLedger::stored(const std::string& uidl) const {
    auto found = counts_.find(uidl);
    return found == counts_.end() ? 0 : found->second;
}

void UidlLedger::keep_only(const std::vector<std::string>& listed) {
    std::unordered_map<std::string, std::size_t> times;
    for (const std::string& uidl : listed) ++times[uidl];
    std::unordered_map<std::string, std::size_t> kept;
    for (const auto& [uidl, count] : counts_) {
        auto found = times.find(uidl);
        if (found != times.end()) kept[uidl] = std::min(count, found->second);
    }
    counts_ = std::move(kept);
}

void UidlLedger::write_journal(const std::vector<std::pair<std::string, std::string>>& uidl_and_name) const {
    std::vector<std::string> lines;
    lines.reserve(uidl_and_name.size());
    for (const auto& [uidl, name] : uidl_and_name) lines.push_back(key_ + " " + uidl + " " + name);
    files::write_lines_atomic(kJournalFile, lines, kPrivateMode);
}

void UidlLedger::save() const {
    std::vector<std::string> lines;
    for (const Entry& entry : ledger_entries()) {
        if (entry.key != key_) lines.push_back(entry.key + " " + entry.uidl);
    }
    std::vector<std::pair<std::string, std::size_t>> mine(counts_.begin(), counts_.end());
    std::sort(mine.begin(), mine.end());
    for (const auto& [uidl, count] : mine) {
        for (std::size_t i = 0; i < count; ++i) lines.push_back(key_ + " " + uidl);
    }
    files::write_lines_atomic(kLedgerFile, lines, kPrivateMode);
    files::remove_if_exists(kJournalFile);
}

}  // namespace tv::mail
