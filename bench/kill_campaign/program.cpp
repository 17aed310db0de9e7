// The kill campaign's program, on a prepared program folder (bench/kill_campaign/run prepares it
// and drives the rounds):
//
//   kill_campaign act FOLDER ACTION SEED [KILL_AT]
//       starts the program on FOLDER and performs one move, restore, return or delete through its
//       windows (ACTION names it, SEED picks the folders and the row), answering Yes, or a receive
//       with the main window's button, or the closing of the main window (which empties the trash
//       when the option is on); prints CHANGE at the program's first file change of the action,
//       SCRIPT and the script's name when a script of the mail component starts, and DONE when the
//       action has ended. The action `answer` starts the answering mode with its button (answered
//       Yes) and ends when the mode's first check has ended; the mode is then stopped.
//       With KILL_AT it SIGKILLs itself right before its KILL_AT-th file change of the action
//       (1: the first), which repeats a kill exactly. Exit status 3, without acting, when the
//       list to act on is empty.
//   kill_campaign check FOLDER EXPECTATIONS [INVENTORY]
//       starts the program on FOLDER (its start finishes what a kill left) and checks the stores
//       and every list against them; prints OK or the faults (exit status 0 or 1). INVENTORY gets
//       one line per mail found: store, R or S, and its key.
//   kill_campaign check-answer FOLDER EXPECTATIONS [INVENTORY]
//       the same, but between the start and the checks it starts the answering mode, lets one
//       check run to its end and stops the mode; the answering log must be gone then.
//
// Both run with the wall clock, the real mail component and the real single-instance lock.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "actions.h"
#include "answering_run.h"
#include "common/answering_files.h"
#include "common/file_changes.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "live_program.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "start_checks.h"

namespace fs = std::filesystem;
namespace pf = tv::platform;
using namespace tv::bench;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: kill_campaign act FOLDER ACTION SEED [KILL_AT]\n"
                 "       kill_campaign check|check-answer FOLDER EXPECTATIONS [INVENTORY]\n"
                 "actions:");
    for (const ActionKind& k : action_kinds()) std::fprintf(stderr, " %s", k.name);
    std::fprintf(stderr, "\n");
    return 2;
}

void say(const char* line) {
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The program's script host, saying on the standard output when a script starts (`SCRIPT name`):
// the campaign can aim a kill at the run of the mail component.
class AnnouncingScriptHost : public pf::ScriptHost {
public:
    explicit AnnouncingScriptHost(pf::ScriptHost* host) : host_(host) {}
    void run_and_wait(const std::string& script_name) override {
        std::printf("SCRIPT %s\n", script_name.c_str());
        std::fflush(stdout);
        host_->run_and_wait(script_name);
    }

private:
    pf::ScriptHost* host_;
};

// How long an answering check may take before it counts as hung.
constexpr int kCheckLimitMs = 240 * 1000;

// Sets the action off as its user would; false when the window did not take it.
bool perform(LiveProgram& program, const ActionPlan& plan) {
    switch (plan.gesture) {
        case Gesture::RowHandler:
            program.run(plan.handler);
            return true;
        case Gesture::Button:
            return program.click(plan.form, plan.handler);
        case Gesture::Close:
            program.close(plan.form);
            return true;
        case Gesture::StartMode:
            if (!start_answering_mode(program)) return false;
            if (!run_answering_check(program, kCheckLimitMs)) {
                std::fprintf(stderr, "no answering check ended within %d s\n", kCheckLimitMs / 1000);
                return false;
            }
            return true;
    }
    return false;
}

int act(const fs::path& folder, const ActionKind& kind, unsigned long seed, int kill_at) {
    LiveProgram program(folder);
    if (!program.start()) {
        std::fprintf(stderr, "the program ended at its start\n");
        return 1;
    }
    ActionPlan plan = plan_action(kind, seed);
    if (!plan.opener.empty()) program.choose(plan.opener);
    if (!pf::forms().is_loaded(plan.form)) {
        std::fprintf(stderr, "%s did not open\n", plan.form.c_str());
        return 1;
    }
    if (plan.gesture == Gesture::RowHandler) {
        int rows = pf::form(plan.form).control(plan.list).count();
        if (rows == 0) {
            say("EMPTY");
            return 3;
        }
        int row = row_of(seed, rows);
        program.click_row(plan.form, plan.list, row);
        std::printf("ACT %s %s row %d of %d from %s\n", kind.name, plan.handler.c_str(), row, rows, plan.source.c_str());
    } else {
        bool clicks = plan.gesture != Gesture::Close;
        std::printf("ACT %s %s %s from %s\n", kind.name, clicks ? "click" : "close",
                    clicks ? plan.handler.c_str() : plan.form.c_str(), plan.source.c_str());
    }
    std::fflush(stdout);
    program.boxes().clear();
    AnnouncingScriptHost scripts(pf::services().script_host);
    pf::services().script_host = &scripts;
    // Only reports (the campaign's kill comes from outside), or kills where it was told to. Each
    // change goes to the error output with its time after the first, to show where a kill fell.
    auto first = std::chrono::steady_clock::now();
    tv::files::watch_file_changes([changes = 0, kill_at, &first](tv::files::FileChange, const fs::path& disk) mutable {
        if (++changes == 1) {
            say("CHANGE");
            first = std::chrono::steady_clock::now();
        }
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - first);
        std::fprintf(stderr, "change %d at %lld ms: %s\n", changes, static_cast<long long>(ms.count()), disk.c_str());
        if (changes == kill_at) {
            std::fprintf(stderr, "killed before change %d: %s\n", changes, disk.c_str());
            std::raise(SIGKILL);
        }
        return 0;
    });
    bool taken = perform(program, plan);
    tv::files::watch_file_changes({});
    if (!taken) std::fprintf(stderr, "%s did not take the click on %s\n", plan.form.c_str(), plan.handler.c_str());
    for (const auto& box : program.boxes().shown()) {
        std::fprintf(stderr, "message: %s: %s\n", tv::to_utf8(box.title).c_str(), tv::to_utf8(box.text).c_str());
    }
    say("DONE");
    if (plan.gesture == Gesture::StartMode) {
        for (const std::string& m : stop_answering_mode(program)) std::fprintf(stderr, "at the stop: %s\n", m.c_str());
    }
    // Closing the main window ends the program; nothing else may.
    bool ends = plan.gesture == Gesture::Close;
    return taken && program.ended() == ends ? 0 : 1;
}

// Starts the mode, lets one check run to its end and stops the mode: what went wrong.
std::vector<std::string> answer_once(LiveProgram& program) {
    std::vector<std::string> faults;
    for (const auto& box : program.boxes().shown()) {
        faults.push_back("start: a message was shown: " + tv::to_utf8(box.title) + ": " + tv::to_utf8(tv::trim(box.text)));
    }
    program.boxes().clear();
    if (!start_answering_mode(program)) {
        faults.push_back("the answering mode did not start");
        return faults;
    }
    if (!run_answering_check(program, kCheckLimitMs)) {
        faults.push_back("no answering check ended within " + std::to_string(kCheckLimitMs / 1000) + " s");
    }
    for (const std::string& m : stop_answering_mode(program)) faults.push_back("answering check: " + m);
    if (tv::files::file_exists(tv::kAnsweringLog)) {
        auto lines = tv::files::read_lines(tv::kAnsweringLog);
        faults.push_back("the answering log is left after a check, " +
                         std::to_string(lines ? lines->size() : 0) + " lines");
    }
    return faults;
}

int check(const fs::path& folder, const fs::path& expectations, const char* inventory_file, bool answer) {
    Expectations expected = read_expectations(expectations);
    if (expected.token_of.empty()) {
        std::fprintf(stderr, "no expectations in %s\n", expectations.c_str());
        return 2;
    }
    LiveProgram program(folder);
    program.start();
    std::vector<std::string> inventory;
    std::vector<std::string> faults = answer && !program.ended() ? answer_once(program) : std::vector<std::string>{};
    for (std::string& f : check_program(program, expected, inventory)) faults.push_back(std::move(f));
    if (inventory_file) {
        std::ofstream out(inventory_file);
        for (const std::string& line : inventory) out << line << '\n';
    }
    for (const std::string& f : faults) std::printf("FAULT %s\n", f.c_str());
    if (faults.empty()) say("OK");
    return faults.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if ((argc == 5 || argc == 6) && std::strcmp(argv[1], "act") == 0) {
        const ActionKind* kind = find_action(argv[3]);
        if (!kind) return usage();
        int kill_at = argc == 6 ? std::atoi(argv[5]) : 0;
        return act(fs::absolute(argv[2]), *kind, std::strtoul(argv[4], nullptr, 10), kill_at);
    }
    bool answer = argc > 1 && std::strcmp(argv[1], "check-answer") == 0;
    if ((argc == 4 || argc == 5) && (answer || std::strcmp(argv[1], "check") == 0)) {
        return check(fs::absolute(argv[2]), argv[3], argc == 5 ? argv[4] : nullptr, answer);
    }
    return usage();
}
