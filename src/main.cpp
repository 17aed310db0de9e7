// talvenor: the mail client. It runs in the current folder, its program folder.
#include <cstdio>
#include <filesystem>

#include "common/paths.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/process_script_host.h"

int main() {
    namespace pf = tv::platform;
    tv::files::set_program_folder(std::filesystem::current_path());
    pf::SystemClock clock;
    pf::ProcessScriptHost scripts(pf::executable_folder() / "talvenor-mail", std::filesystem::current_path());
    pf::services().clock = &clock;
    pf::services().script_host = &scripts;
    std::printf("talvenor %s: the main window is not built yet; the program ends.\n", "2.12");
    return 0;
}
