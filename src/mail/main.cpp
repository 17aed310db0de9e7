// talvenor-mail: the mail component the program starts in place of its scripts.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "common/exchange_files.h"
#include "common/paths.h"
#include "common/private_files.h"
#include "mail/commands.h"
#include "mail/transfer_module.h"

int main(int argc, char** argv) {
    bool resident = argc == 3 && std::strcmp(argv[2], tv::exchange::command::kResidentFlag) == 0;
    if (argc != 2 && !resident) {
        std::fprintf(stderr, "usage: talvenor-mail check|parse [--resident]|receive|send\n");
        return 2;
    }
    tv::files::set_program_folder(std::filesystem::current_path());
    tv::files::keep_files_private();
    namespace command = tv::exchange::command;
    if (std::strcmp(argv[1], command::kParse) == 0) return resident ? tv::mail::run_parse_resident() : tv::mail::run_parse();
    if (resident) return 2;
    if (std::strcmp(argv[1], command::kCheck) == 0) return tv::mail::run_check();
    if (std::strcmp(argv[1], command::kReceive) == 0 || std::strcmp(argv[1], command::kSend) == 0) {
        return tv::mail::run_transfer_module(argv[1]);
    }
    std::fprintf(stderr, "talvenor-mail: unknown command %s\n", argv[1]);
    return 2;
}
