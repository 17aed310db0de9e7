// talvenor-mail: the mail component the program starts in place of its scripts.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "common/exchange_files.h"
#include "common/paths.h"
#include "mail/commands.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: talvenor-mail check|parse|receive|send\n");
        return 2;
    }
    tv::files::set_program_folder(std::filesystem::current_path());
    namespace command = tv::exchange::command;
    if (std::strcmp(argv[1], command::kCheck) == 0) return tv::mail::run_check();
    if (std::strcmp(argv[1], command::kParse) == 0) return tv::mail::run_parse();
    if (std::strcmp(argv[1], command::kReceive) == 0) return tv::mail::run_receive();
    if (std::strcmp(argv[1], command::kSend) == 0) return tv::mail::run_send();
    std::fprintf(stderr, "talvenor-mail: unknown command %s\n", argv[1]);
    return 2;
}
