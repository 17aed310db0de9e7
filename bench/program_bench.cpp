// The program's own work over a prepared program folder, with the real mail component, on the
// virtual clock (the fixed pauses are behaviour, not work, and are left out of the time):
//
//   program-bench rebuild FOLDER   the user-started database rebuild of every store
//   program-bench receive FOLDER   a manual receive (the account is in FOLDER), parsing every new mail
//
// Prints the wall time, the total of the fixed pauses, the rows of the receive list and peak memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/paths.h"
#include "common/sjis.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "platform/process_script_host.h"
#include "program/install_program.h"
#include "shell/housekeeping.h"
#include "store/database_rebuild.h"
#include "transfer/receive.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "rebuild") != 0 && std::strcmp(argv[1], "receive") != 0)) {
        std::fprintf(stderr, "usage: program-bench rebuild|receive FOLDER\n");
        return 2;
    }
    bool rebuild = std::strcmp(argv[1], "rebuild") == 0;
    fs::path folder = fs::absolute(argv[2]);
    fs::path component = tv::platform::executable_folder() / "talvenor-mail";

    tv::files::set_program_folder(folder);
    tv::platform::headless::HeadlessPlatform platform;
    int rows = 0;
    double seconds = 0;
    {
        tv::platform::ProcessScriptHost scripts(component, folder);
        tv::platform::services().script_host = &scripts;
        tv::platform::services().component_path = component.string();
        tv::install_program();
        tv::shell::create_folder_tree();
        tv::platform::forms().load("MAINFORM");
        tv::platform::event_queue().clear();  // the window's load event is not part of the work

        auto start = std::chrono::steady_clock::now();
        try {
            if (rebuild) {
                tv::store::D_SAIKOUTIKU_ON();
            } else {
                tv::transfer::BUTTON3_ON();
            }
        } catch (const tv::platform::ProgramEnd&) {
            std::fprintf(stderr, "the program ended\n");
        }
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rows = tv::platform::form("MAINFORM").control("LIST3").count();
        tv::platform::services().script_host = nullptr;
    }

    rusage self{}, children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    std::printf("seconds %.3f\n", seconds);
    std::printf("rows %d\n", rows);
    std::printf("fixed_pauses %.1f\n", platform.clock.paused_ms() / 1000.0);
    std::printf("peak_kib program %ld component %ld\n", self.ru_maxrss, children.ru_maxrss);
    for (const auto& box : platform.message_box.shown()) {
        if (box.buttons == tv::platform::MsgButtons::Ok) std::fprintf(stderr, "message: %s %s\n", tv::to_utf8(box.title).c_str(), tv::to_utf8(box.text).c_str());
    }
    return 0;
}
