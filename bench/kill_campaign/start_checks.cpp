#include "start_checks.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "common/exchange_files.h"
#include "common/folder_list_row.h"
#include "common/paths.h"
#include "common/receive_list_row.h"
#include "common/send_list_row.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "common/text_file.h"
#include "folders/mail_lists.h"
#include "live_program.h"
#include "platform/forms.h"
#include "store/mail_stores.h"
#include "store/receive_list.h"
#include "store/store_change.h"

namespace tv::bench {

namespace fs = std::filesystem;
namespace pf = tv::platform;

namespace {

using Strings = std::vector<std::string>;

// Dot-files the program keeps on purpose: the single-instance lock at the top of the program
// folder, and the mail component's transfer lock and memories in SYSTEM_F (none of which a move
// or delete writes).
bool lasting_dot_file(const fs::path& relative) {
    static const std::set<std::string> kept{".talvenor.lock", "SYSTEM_F/.transfer.lock", "SYSTEM_F/.tls_servers",
                                            "SYSTEM_F/.pop3_ledger"};
    return kept.count(relative.generic_string()) != 0;
}

std::string first_word(std::string_view text) {
    std::string t = trim(text);
    return t.substr(0, t.find(' '));
}

// The value of the Message-ID header of a stored mail, empty without one.
std::string message_id_of(const std::string& path) {
    auto lines = files::read_lines(path);
    if (!lines) return {};
    for (const std::string& line : *lines) {
        if (line.empty()) break;
        if (lower_ascii(left_bytes(line, 11)) == "message-id:") return trim(from_byte(line, 12));
    }
    return {};
}

// A sent mail: the first word of its subject (UTF-8), and the key it is known by: that word, and
// for a copy the answering mode sent (its subject begins with the forward or the reply mark) its
// date too, since a mail forwarded twice leaves two copies.
struct SentMail {
    std::string token;
    std::string key;
};

SentMail sent_mail_of(const std::string& path) {
    Strings lines = read_sent_file(path);
    if (lines.size() < 4 || !lines[3].starts_with("SUBJECT:")) return {};
    std::string word = first_word(from_byte(lines[3], 9));
    SentMail mail{to_utf8(word), to_utf8(word)};
    if ((word.starts_with(exchange::kForwardSubjectMark) || word.starts_with(exchange::kReplySubjectMark)) &&
        lines[0].starts_with("DATE:")) {
        std::string date = trim(from_byte(lines[0], 6));
        std::replace(date.begin(), date.end(), ' ', 'T');
        mail.key += "@" + date;
    }
    return mail;
}

std::string record_token_of(const std::optional<SummaryItems>& record) {
    if (!record || !record->subject.starts_with("SUBJECT:")) return {};
    return first_word(from_byte(record->subject, 9));
}

// The subject column of a row built on `columns`.
std::string subject_column(const std::string& row, const RowColumns& columns) {
    std::size_t at = columns.address + 6;
    return row.size() < at ? std::string() : row.substr(at, columns.subject);
}

const std::string& mark_text(const std::string& name) {
    static const std::string none;
    if (name == "unread") return UNREAD_MARK();
    if (name == "answer") return ANSWER_MARK();
    return none;
}

struct Checker {
    const Expectations& expected;
    Strings& inventory;
    Strings faults;

    void fault(const std::string& text) { faults.push_back(text); }

    std::string record_path(const store::MailStore& s, const std::string& mail) const {
        return files::join(s.record_folder, SUMMARY_RECORD_NAME(mail));
    }

    // The receive-list row of a mail of the box: from its record, its expected mark before the subject.
    std::string receive_row(const std::string& mail) const {
        std::optional<SummaryItems> record = read_summary_record(record_path(store::receive_box(), mail));
        auto mark = expected.mark_of.find(message_id_of(files::join(store::receive_box().mail_folder, mail)));
        if (record && mark != expected.mark_of.end()) {
            record->subject = "SUBJECT: " + mark_text(mark->second) + from_byte(trim(record->subject), 10);
        }
        return row_from_record(record, mail, RowDate::Record);
    }

    std::string folder_row(const store::MailStore& s, const std::string& mail) const {
        return folder_received_row(read_summary_record(record_path(s, mail)), mail);
    }

    // Row i of `rows` must be the row `expected_row(i)` gives for name i of `names`, in its subject column.
    template <typename RowOf>
    void rows_follow(const std::string& what, const Strings& rows, const Strings& names, const RowColumns& columns,
                     RowOf expected_row) {
        if (rows.size() != names.size()) {
            fault(what + ": " + std::to_string(rows.size()) + " rows for " + std::to_string(names.size()) + " mails");
            return;
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::string want = subject_column(expected_row(names[i]), columns);
            std::string got = subject_column(rows[i], columns);
            if (got != want) {
                fault(what + " row " + std::to_string(i) + " (" + names[i] + "): shows \"" + to_utf8(trim(got)) +
                      "\", its mail is \"" + to_utf8(trim(want)) + "\"");
            }
        }
    }

    void hidden_files() {
        const fs::path& top = files::program_folder();
        std::error_code ec;
        for (fs::recursive_directory_iterator e(top, ec), end; !ec && e != end; e.increment(ec)) {
            fs::path relative = fs::relative(e->path(), top);
            if (e->path().filename().string().starts_with(".") && !lasting_dot_file(relative)) {
                fault("hidden file left: " + relative.string());
            }
        }
    }

    void census() {
        std::map<std::string, Strings> places;  // key -> where it was found
        for (const store::MailStore& s : store::mail_stores()) {
            Strings mails = files::list_folder_files(s.mail_folder);
            std::set<std::string> records;
            for (const std::string& r : files::list_folder_files(s.record_folder)) records.insert(r);
            for (const std::string& mail : mails) {
                std::string id = message_id_of(files::join(s.mail_folder, mail));
                std::string where = std::string(s.name) + " " + mail;
                places[id].push_back(where);
                inventory.push_back(std::string(s.name) + "\tR\t" + id);
                auto token = expected.token_of.find(id);
                if (token == expected.token_of.end()) fault(where + ": a mail the campaign does not know (" + id + ")");
                if (!records.erase(SUMMARY_RECORD_NAME(mail))) {
                    fault(where + ": no record beside it");
                } else if (token != expected.token_of.end() &&
                           record_token_of(read_summary_record(record_path(s, mail))) != token->second) {
                    fault(where + ": its record is another mail's (" +
                          record_token_of(read_summary_record(record_path(s, mail))) + ", not " + token->second + ")");
                }
            }
            for (const std::string& stray : records) fault(std::string(s.name) + ": record without its mail: " + stray);
            std::string sent_store = s.folder_no < 0 ? "send box" : s.name;
            for (const std::string& sent : files::list_folder_files(s.sent_folder)) {
                SentMail mail = sent_mail_of(files::join(s.sent_folder, sent));
                places[mail.key].push_back(sent_store + " " + sent);
                inventory.push_back(sent_store + "\tS\t" + mail.key);
                if (!expected.sent_tokens.count(mail.token)) {
                    fault(sent_store + " " + sent + ": a sent mail the campaign does not know");
                }
            }
        }
        for (const auto& [key, where] : places) {
            if (where.size() < 2) continue;
            std::string text = "mail " + key + " is stored " + std::to_string(where.size()) + " times:";
            for (const std::string& w : where) text += " [" + w + "]";
            fault(text);
        }
    }

    // A cache whose row count equals its store's mail count is trusted by its list: it must name
    // those mails row by row.
    void caches() {
        for (const store::MailStore& s : store::mail_stores()) {
            if (!files::file_exists(s.cache)) continue;
            Strings rows = load_list_cache(s.cache);
            Strings mails = files::list_folder_files(s.mail_folder);
            if (rows.size() != mails.size()) continue;
            std::string what = std::string("cache ") + s.cache;
            if (s.folder_no < 0) {
                rows_follow(what, rows, mails, kReceiveColumns, [&](const std::string& m) { return receive_row(m); });
            } else {
                rows_follow(what, rows, mails, kFolderColumns, [&](const std::string& m) { return folder_row(s, m); });
            }
        }
    }

    void main_lists() {
        const store::MailStore& box = store::receive_box();
        rows_follow("receive list LIST3", pf::form("MAINFORM").control("LIST3").items(),
                    files::list_folder_files(box.mail_folder), kReceiveColumns,
                    [&](const std::string& m) { return receive_row(m); });
        rows_follow("send list LIST1", pf::form("MAINFORM").control("LIST1").items(),
                    files::list_folder_files(box.sent_folder), kSendColumns, [&](const std::string& m) {
                        return build_send_row(read_sent_file(files::join(box.sent_folder, m)), m);
                    });
    }

    void window(LiveProgram& program, int folder_no, const char* opener) {
        program.choose(opener);
        folders::MailList received = folders::window_list(folder_no, true);
        folders::MailList sent = folders::window_list(folder_no, false);
        const store::MailStore& s = store::store_by_folder_no(folder_no);
        std::string what = std::string(s.name) + " window ";
        if (!pf::forms().is_loaded(received.form) || !pf::form(received.form).visible) {
            fault(what + "did not open");
            return;
        }
        rows_follow(what + received.list, received.rows().items(), files::list_folder_files(s.mail_folder),
                    kFolderColumns, [&](const std::string& m) { return folder_row(s, m); });
        rows_follow(what + sent.list, sent.rows().items(), files::list_folder_files(s.sent_folder), kFolderColumns,
                    [&](const std::string& m) {
                        return folder_sent_row(read_sent_file(files::join(s.sent_folder, m)), m);
                    });
        program.close(received.form);
    }

    void boxes_shown(LiveProgram& program, const std::string& when) {
        for (const auto& box : program.boxes().shown()) {
            fault(when + ": a message was shown: " + to_utf8(box.title) + ": " + to_utf8(trim(box.text)));
        }
        program.boxes().clear();
    }
};

}  // namespace

Expectations read_expectations(const fs::path& file) {
    Expectations e;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind, key, token, mark;
        words >> kind >> key;
        if (kind == "R" && words >> token >> mark) {
            e.token_of[key] = token;
            e.mark_of[key] = mark;
        } else if (kind == "S") {
            e.sent_tokens.insert(key);
        }
    }
    return e;
}

std::vector<std::string> check_program(LiveProgram& program, const Expectations& expected, Strings& inventory) {
    Checker c{expected, inventory, {}};
    c.boxes_shown(program, "start");
    if (program.ended()) c.fault("the program ended at its start");
    if (files::file_exists(store::kChangeFile)) c.fault("a change is still written down after the start");
    c.hidden_files();
    c.census();
    c.caches();
    if (program.ended()) return c.faults;
    c.main_lists();
    const char* openers[] = {"GOMINAKO", "JOB_F", "PRIVATE_F", "HOBBY_F", "ANOTHER_F"};
    for (int folder_no = 0; folder_no <= 4 && !program.ended(); ++folder_no) {
        c.window(program, folder_no, openers[folder_no]);
        c.boxes_shown(program, std::string("opening ") + openers[folder_no]);
    }
    if (program.ended()) c.fault("the program ended while its windows were opened");
    return c.faults;
}

}  // namespace tv::bench
