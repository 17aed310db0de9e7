// The database rebuild over a receive box of N stored mails, with the real mail component parsing
// each mail, on the virtual clock. Reports the time the rebuild took without its fixed pauses,
// the total of those pauses, and peak memory.
//
//   rebuild-bench N [path of talvenor-mail]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/paths.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "platform/process_script_host.h"
#include "program/install_program.h"
#include "store/database_rebuild.h"

namespace fs = std::filesystem;

namespace {

// A mail of a realistic shape: Japanese subject, a few body lines, sometimes an attachment.
std::string make_mail(int i) {
    std::string mail = "From: =?UTF-8?B?5bGx55Sw5aSq6YOO?= <taro" + std::to_string(i % 50) + "@example.jp>\r\n"
                       "To: me@example.jp\r\n"
                       "Subject: =?UTF-8?B?5Lya6K2w44Gu44GU5qGI5YaF?= " + std::to_string(i) + "\r\n"
                       "Date: Thu, 10 Dec 2026 09:00:00 +0900\r\n"
                       "Message-ID: <" + std::to_string(i) + "@example.jp>\r\nMIME-Version: 1.0\r\n";
    std::string body;
    for (int line = 0; line < 10 + i % 40; ++line) body += "This is line " + std::to_string(line) + " of the mail.\r\n";
    if (i % 5 == 0) {
        mail += "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\n" +
                body + "--b\r\nContent-Type: application/octet-stream; name=\"data.bin\"\r\n"
                       "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment; filename=\"data.bin\"\r\n\r\n" +
                std::string(76, 'A') + "\r\n--b--\r\n";
    } else {
        mail += "Content-Type: text/plain; charset=us-ascii\r\n\r\n" + body;
    }
    return mail;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: rebuild-bench N [talvenor-mail]\n");
        return 2;
    }
    int count = std::atoi(argv[1]);
    fs::path component = argc > 2 ? fs::path(argv[2]) : tv::platform::executable_folder() / "talvenor-mail";
    fs::path folder = fs::temp_directory_path() / ("talvenor-rebuild-bench-" + std::to_string(::getpid()));
    for (const char* f : {"JUSINBOX", "SYSTEM_F/F_D_F", "TENPFIL", "GOMIBAKO/JUSIN_FO", "GOMIBAKO/F_D_F"}) {
        fs::create_directories(folder / f);
    }
    for (const char* name : {"JOB", "PRIVATE", "HOBBY", "ANOTHER"}) {
        fs::create_directories(folder / "SYSTEM_F/FORDA_FO" / name / "JUSIN_FO/F_D_F");
    }
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "20261210_%06d_%05d.eml", i / 60 % 1000000, i);
        std::ofstream(folder / "JUSINBOX" / name, std::ios::binary) << make_mail(i);
    }

    tv::files::set_program_folder(folder);
    tv::platform::headless::HeadlessPlatform platform;
    tv::platform::ProcessScriptHost scripts(component, folder);
    tv::platform::services().script_host = &scripts;
    tv::install_program();
    tv::platform::forms().load("MAINFORM");
    tv::platform::event_queue().clear();  // the window's load event is not part of the rebuild

    auto start = std::chrono::steady_clock::now();
    try {
        tv::store::D_SAIKOUTIKU_ON();
    } catch (const tv::platform::ProgramEnd&) {
        std::fprintf(stderr, "the program ended during the rebuild\n");
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    rusage self{}, children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    std::printf("mails: %d\n", count);
    std::printf("rows: %d (mails listed %d)\n", tv::platform::form("MAINFORM").control("LIST3").count(), tv::platform::form("MAINFORM").control("LIST2").count());
    std::printf("time without the fixed pauses: %.2f s (%.2f ms per mail)\n", seconds, 1000 * seconds / count);
    std::printf("fixed pauses: %.1f s\n", platform.clock.paused_ms() / 1000.0);
    std::printf("peak memory: program %ld KiB, one mail component %ld KiB\n", self.ru_maxrss, children.ru_maxrss);
    fs::remove_all(folder);
    return 0;
}
