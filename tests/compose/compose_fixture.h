// A started program with an account, a fake send script that keeps what it was asked to send, and
// the steps of a user at the compose window.
#pragma once

#include <string>
#include <vector>

#include "common/globals.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "transfer/transfer_fixture.h"

namespace tv::test {

struct ComposeFixture {
    Harness h;
    // The send request as the send script found it, one per send.
    std::vector<std::vector<std::string>> requests;
    std::string send_result = "DONE";
    int sent = 0;

    explicit ComposeFixture(bool with_account = true) {
        if (with_account) h.write_lines("SYSTEM_F\\MAIL_DATA.txt", account_lines());
        h.install_fake_parser();
        h.scripts().on("sam042.wsf", [this] {
            auto lines = files::read_lines("SYSTEM_F\\DEL_SOUSIN.txt");
            requests.push_back(lines ? *lines : std::vector<std::string>{});
            if (send_result.starts_with("DONE")) {
                char name[32];
                std::snprintf(name, sizeof name, "20261210_0910%02d.txt", ++sent);
                h.write_lines(std::string("SOUSINBOX\\") + name, {"DATE: 2026/12/10 09:10:00", "FROM: Taro<taro@example.jp>",
                                                                  "TO: " + (lines ? (*lines)[0].substr(3) : ""),
                                                                  "SUBJECT: s", "BODY:", "", "body", "FILE:"});
            }
            h.write("SYSTEM_F\\T_OUT_DONE.txt", send_result + "\r\n");
        });
    }

    bool start() {
        bool started = h.start();
        h.boxes().clear();
        return started;
    }

    static platform::Form& compose() { return platform::form("FORM9"); }
    static platform::Control& box(const char* name) { return compose().control(name); }
    static platform::Form& main() { return platform::form("MAINFORM"); }

    void open_compose() { h.click("MAINFORM", "BUTTON1"); }
    // What the user types into a box of a window (its whole new text).
    void type(const char* form, const char* control, const std::string& text) {
        platform::input::change_text(platform::form(form).control(control), text);
        h.settle();
    }
    void type(const char* control, const std::string& text) { type("FORM9", control, text); }
    void fill(const std::string& to, const std::string& subject, const std::string& body) {
        type("EDIT12", to);
        type("EDIT14", subject);
        type("EDIT11", body);
    }
    // One tick of the compose window's timer (each settle lets one tick fall due and run).
    void tick() { h.settle(); }
    // The user closes a window with its close box; `answer` goes to the box that asks first.
    bool close(const char* form, platform::MsgAnswer answer = platform::MsgAnswer::Yes) {
        h.boxes().answer_next(answer);
        bool closed = platform::input::request_close(platform::form(form));
        h.settle();
        return closed;
    }

    static std::vector<std::string> unsent_files() { return files::list_folder_files("SYSTEM_F\\BADSOU"); }
    std::vector<std::string> unsent_file(const std::string& name) {
        return *files::read_lines("SYSTEM_F\\BADSOU\\" + name);
    }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        for (const auto& b : h.boxes().shown()) out.push_back(b.title);
        return out;
    }
};

}  // namespace tv::test
