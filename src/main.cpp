// talvenor: the mail client. It runs in the current folder, its program folder.
#include <filesystem>

#include "common/paths.h"
#include "platform/linux_system.h"
#include "platform/platform.h"
#include "platform/process_script_host.h"
#include "platform/xdg_shell.h"
#include "platform/qt/qt_platform.h"
#include "program/install_program.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    namespace pf = tv::platform;
    std::filesystem::path folder = std::filesystem::current_path();
    tv::files::set_program_folder(folder);

    pf::qt::QtPlatform qt(argc, argv);
    qt.install();
    pf::LinuxSystem system;
    pf::XdgShell shell;
    std::filesystem::path component = pf::executable_folder() / "talvenor-mail";
    pf::ProcessScriptHost scripts(component, folder);
    auto& services = pf::services();
    services.system = &system;
    services.script_host = &scripts;
    services.shell = &shell;
    services.component_path = component.string();

    tv::install_program();
    tv::shell::run_program();
    return 0;
}
