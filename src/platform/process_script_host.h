// The script host of the real program: each script name maps to a subcommand of our mail
// component `talvenor-mail`, started as a process in the program folder and waited for.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

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
    void run_and_wait(const std::string& script_name) override;

private:
    std::filesystem::path component_;
    std::filesystem::path program_folder_;
};

// The folder of the running executable.
std::filesystem::path executable_folder();

}  // namespace tv::platform
