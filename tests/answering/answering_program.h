// A started program with an account, answering settings and fake transfer scripts: the receive
// stores the mails a test queues, the send keeps every request it is handed.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/answering_settings.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "harness/harness.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"

namespace tv::test {

struct AnsweringProgram {
    Harness h;
    // The mails each run of the receive stores (each mail's own parse-result lines).
    std::vector<std::vector<std::vector<std::string>>> receives;
    int stored = 0;
    std::vector<std::string> requests;  // SYSTEM_F\DEL_SOUSIN.txt at each send, in order
    std::string send_result = "DONE";

    // Settings as the settings window would have written them: forwarding and replying on,
    // checks every minute, the reply text "thanks.txt".
    static SettingsFields settings() {
        SettingsFields f = default_answering_settings();
        f[kInterval] = "60";
        f[kForwardAddress] = "Phone <me@phone.example.jp>";
        f[kForwardStopped] = "0";
        f[kReplyStopped] = "0";
        f[kReplyTextIndex] = "0";
        f[kReplyTextFile] = "thanks.txt";
        return f;
    }

    // `left_files` stand in the program folder before the start, as an earlier run left them.
    explicit AnsweringProgram(const SettingsFields& fields = settings(),
                              const std::map<std::string, std::string>& left_files = {}) {
        for (const auto& [path, bytes] : left_files) h.write(path, bytes);
        h.write_lines("SYSTEM_F\\MAIL_DATA.txt", {"smtp.example.jp", "Taro", "taro@example.jp", "pop.example.jp",
                                                  "taro", "Secret", "25", "110", "180", "TALVENOR MAILER"});
        h.write("SYSTEM_F\\SETTEI\\SETTEI_F.txt", answering_settings_record(fields));
        h.write("SYSTEM_F\\HENSINYOU\\thanks.txt", "Thank you.\r\n");
        h.write("SYSTEM_F\\TLVN.ico", "normal icon");
        h.write("SYSTEM_F\\TLVG.ico", "arrival icon");
        h.install_fake_parser();
        h.scripts().on("sam045.wsf", [this] {
            std::size_t run = static_cast<std::size_t>(h.scripts().starts("sam045.wsf") - 1);
            if (run < receives.size()) {
                for (const auto& mail : receives[run]) {
                    char name[32];
                    std::snprintf(name, sizeof name, "20261210_0900%02d.eml", ++stored);
                    h.write_lines(std::string("JUSINBOX\\") + name, mail);
                }
            }
            h.write("SYSTEM_F\\T_IN_DONE.txt", "DONE received\r\n");
        });
        h.scripts().on("sam042.wsf", [this] {
            requests.push_back(h.read("SYSTEM_F\\DEL_SOUSIN.txt"));
            h.write("SYSTEM_F\\T_OUT_DONE.txt", send_result + "\r\n");
        });
        h.start();
    }

    // A mail's parse-result lines.
    static std::vector<std::string> mail(const std::string& from, const std::string& subject,
                                         const std::string& body = "hello") {
        return {"DATE: 2026/12/10 08:50:00", "FROM: " + from, "TO: taro@example.jp", "SUBJECT: " + subject,
                "Body: " + body, "FILE:"};
    }

    // The start button, answered Yes.
    void start_mode() {
        h.boxes().answer_next(platform::MsgAnswer::Yes);
        h.click("MAINFORM", "BUTTON30");
    }
    // The user restores the minimised main window from the taskbar.
    void restore_window() {
        platform::input::set_minimized(platform::form("MAINFORM"), false);
        h.settle();
    }
    void run_seconds(int seconds) { h.run_until(platform::add_seconds(h.clock().now(), seconds)); }
    bool mode_waiting() const { return platform::form("MAINFORM").control("TIMER3").timer_enabled; }
    // The requests whose subject line begins with `prefix` ("SUBJECT:<転>", "SUBJECT:<返>").
    std::vector<std::string> requests_with(const std::string& subject_prefix) const {
        std::vector<std::string> found;
        for (const auto& r : requests) {
            auto lines = files::split_lines(r);
            if (lines.size() > 2 && lines[2].starts_with(subject_prefix)) found.push_back(r);
        }
        return found;
    }
};

}  // namespace tv::test
