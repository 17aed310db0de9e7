// The script host of the real program: each script name maps to a subcommand of our mail
// component `talvenor-mail`, run in the program folder.
//
// The check, the receive and the send start a process each and wait for it to end. The parse
// scripts share one resident helper (`talvenor-mail parse --resident`), started at the first parse
// and kept: each run sends it one request line over a socket and waits for its answer line, with
// the same files written and read around it as if a process had run. A helper that does not answer
// within the parse's limit is killed, and one that dies in a parse is reaped; either way a new
// helper then writes the mail's unreadable result, and the run counts as a script that wrote none
// only when that fails too. A helper found dead when a parse is asked for is started again for it;
// it ends with the host.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/services.h"

namespace tv::platform {

struct ScriptMapping {
    const char* script;      // "sam046.wsf"
    const char* subcommand;  // "parse"
    int limit_seconds;       // fail-safe: killed and treated as a script that wrote no result
};

// The table of scripts the program starts.
const ScriptMapping* find_script(const std::string& script_name);

class ProcessScriptHost : public ScriptHost {
public:
    // `component` is the path of talvenor-mail; `program_folder` the working folder of each run.
    ProcessScriptHost(std::filesystem::path component, std::filesystem::path program_folder);
    ~ProcessScriptHost() override;
    ProcessScriptHost(const ProcessScriptHost&) = delete;
    ProcessScriptHost& operator=(const ProcessScriptHost&) = delete;

    void run_and_wait(const std::string& script_name) override;

    // The resident parse helper's process, 0 when none runs (tests).
    pid_t parse_helper() const { return helper_pid_; }
    // Shortens every limit to `seconds` (tests of the fail-safe).
    void set_limit_for_tests(int seconds) { test_limit_ = seconds; }

private:
    pid_t spawn(const char* subcommand, bool resident, int stdin_fd);
    void run_process(const ScriptMapping& mapping);
    void run_parse(const ScriptMapping& mapping);
    // Sends the helper (started when none runs) one request line; false, and no helper, when it is
    // gone.
    bool send_request(const ScriptMapping& mapping, std::string_view line);
    // Waits for the helper's answer line; false, and no helper, when it died or was killed at the
    // limit.
    bool await_answer(const ScriptMapping& mapping);
    bool start_helper();
    void stop_helper(bool kill_it);
    int limit(const ScriptMapping& mapping) const { return test_limit_ > 0 ? test_limit_ : mapping.limit_seconds; }

    std::filesystem::path component_;
    std::filesystem::path program_folder_;
    pid_t helper_pid_ = 0;
    int helper_socket_ = -1;
    int test_limit_ = 0;
};

// The folder of the running executable.
std::filesystem::path executable_folder();

}  // namespace tv::platform
