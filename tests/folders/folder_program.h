// The program started on the headless platform with mail in its stores, for the trash and folder
// windows.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/globals.h"
#include "common/paths.h"
#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "store/mail_stores.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;
using Strings = std::vector<std::string>;
using pf::MsgAnswer;

inline std::string mail_name(int i) { return "20261201_10000" + std::to_string(i) + ".eml"; }
inline std::string record_name(int i) { return "20261201_10000" + std::to_string(i) + ".dxd"; }
inline std::string sent_name(int i) { return "20261201_20000" + std::to_string(i) + ".txt"; }

inline const store::MailStore& trash() { return store::trash_store(); }
inline const store::MailStore& job() { return store::store_by_folder_no(1); }

struct FolderProgram {
    test::Harness h;

    FolderProgram() { h.install_fake_parser(); }

    // Received mail i ("mail i" as its parsed subject) in a store.
    void add_mail(const store::MailStore& s, int i) {
        std::string n = std::to_string(i);
        h.add_mail(s.mail_folder, mail_name(i), "2026/12/01 10:00:0" + n, "s" + n + " <s@example.jp>", "mail " + n);
    }
    // A record named `name` whose subject is `subject`.
    void add_record(const store::MailStore& s, const std::string& name, const std::string& subject) {
        h.write(files::join(s.record_folder, name),
                "\"DATE: 2026/12/01 10:00:00\",\"FROM: sender\",\"SUBJECT: " + subject + "\",\" \"\r\n");
    }
    // Mail i with its own record ("rec i").
    void add_received(const store::MailStore& s, int i) {
        add_mail(s, i);
        add_record(s, record_name(i), "rec " + std::to_string(i));
    }
    void add_sent(const std::string& folder, int i, const std::string& to = "to@example.jp") {
        std::string n = std::to_string(i);
        h.write_lines(files::join(folder, sent_name(i)),
                      {"DATE: 2026/12/01 20:00:0" + n, "FROM: me", "TO: " + to, "SUBJECT: sent " + n, "BODY:", "x", "FILE:"});
    }

    void start() {
        ASSERT_TRUE(h.start());
        h.boxes().clear();
    }
    // Chooses an item of the main window's menu bar.
    void choose(const char* item) { h.click("MAINFORM", item); }

    static pf::Form& form(const std::string& name) { return pf::form(name); }
    static pf::Control& list(const std::string& window, const std::string& name) { return pf::form(window).control(name); }
    // The subject column of each row of a trash or folder list.
    Strings subjects(const std::string& window, const std::string& name) {
        Strings out;
        for (const auto& row : h.rows(window, name)) out.push_back(trim(row.substr(52, 54)));
        return out;
    }
    Strings titles() {
        Strings out;
        for (const auto& box : h.boxes().shown()) out.push_back(box.title);
        return out;
    }
    static Strings files_in(const std::string& folder) { return files::list_folder_files(folder); }
    // Dot-files of a folder, which listings leave out.
    static Strings hidden_in(const std::string& folder) {
        Strings names;
        std::error_code ec;
        for (std::filesystem::directory_iterator e(files::resolve(folder), ec), end; !ec && e != end; e.increment(ec)) {
            if (e->path().filename().string().starts_with(".")) names.push_back(e->path().filename());
        }
        return names;
    }
    // The count line of a window as last drawn.
    static std::string count_line(const std::string& window, bool received) {
        std::string prefix = received ? "[ 受信"_sj : "[ 送信"_sj;
        std::string found;
        for (const auto& op : pf::form(window).drawing()) {
            if (op.text.starts_with(prefix)) found = op.text;
        }
        return found;
    }
    static std::string count_text(bool received, int n) {
        return (received ? "[ 受信メール： "_sj : "[ 送信メール： "_sj) + std::to_string(n) + " 通 ]"_sj;
    }
    // Runs a handler as its event would, through the program's error trap.
    void run(const std::string& handler) {
        pf::event_queue().post(handler);
        h.settle();
    }
};

}  // namespace tv::folders
