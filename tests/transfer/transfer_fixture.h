// A started program with an account, and fake transfer scripts that do what a test says.
#pragma once

#include <string>
#include <vector>

#include "common/globals.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "harness/harness.h"
#include "platform/forms.h"

namespace tv::test {

inline std::vector<std::string> account_lines() {
    return {"smtp.example.jp", "Taro", "taro@example.jp", "pop.example.jp", "taro", "Secret", "25", "110", "180",
            "TALVENOR MAILER"};
}

struct TransferFixture {
    Harness h;
    // What the receive script does at each run: mails to store, then its result.
    struct Run {
        std::vector<std::vector<std::string>> mails;  // each mail's lines (its own parse result)
        std::string result;
    };
    std::vector<Run> runs;
    int stamp = 0;

    explicit TransferFixture(bool with_account = true) {
        if (with_account) h.write_lines("SYSTEM_F\\MAIL_DATA.txt", account_lines());
        h.install_fake_parser();
        h.scripts().on("sam045.wsf", [this] {
            int run = h.scripts().starts("sam045.wsf") - 1;
            if (run >= static_cast<int>(runs.size())) return;
            for (const auto& mail : runs[static_cast<std::size_t>(run)].mails) {
                char name[32];
                std::snprintf(name, sizeof name, "20261210_0900%02d.eml", ++stamp);
                h.write_lines(std::string("JUSINBOX\\") + name, mail);
            }
            h.write("SYSTEM_F\\T_IN_DONE.txt", runs[static_cast<std::size_t>(run)].result + "\r\n");
        });
        h.start();
    }

    static std::vector<std::string> mail(const std::string& first_line, const std::string& subject,
                                         const std::vector<std::string>& attachments = {}) {
        std::vector<std::string> lines{first_line, "FROM: s <s@example.jp>", "TO: me", "SUBJECT: " + subject, "Body: hi"};
        for (const auto& a : attachments) lines.push_back("File: TENPFIL\\" + a);
        if (attachments.empty()) lines.push_back("FILE:");
        return lines;
    }

    std::vector<std::string> rows() { return h.rows("MAINFORM", "LIST3"); }
    // The count line last drawn on the main window that begins with `label`.
    static std::string count_line(const std::string& label) {
        std::string last;
        for (const auto& op : platform::form("MAINFORM").drawing()) {
            if (op.kind == platform::DrawOp::Kind::Text && op.text.rfind(label, 0) == 0) last = op.text;
        }
        return last;
    }
    std::vector<std::string> status_texts() {
        std::vector<std::string> texts;
        for (const auto& op : platform::form("MAINFORM").drawing()) {
            if (op.kind == platform::DrawOp::Kind::Text && op.y1 == 683) texts.push_back(op.text);
        }
        return texts;
    }
};

}  // namespace tv::test
