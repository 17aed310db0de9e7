// talvenor-mail: the mail component the program starts in place of its scripts.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "common/paths.h"
#include "mail/commands.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: talvenor-mail check|parse|receive|send\n");
        return 2;
    }
    tv::files::set_program_folder(std::filesystem::current_path());
    const char* command = argv[1];
    if (std::strcmp(command, "check") == 0) return tv::mail::run_check();
    if (std::strcmp(command, "parse") == 0) return tv::mail::run_parse();
    if (std::strcmp(command, "receive") == 0) return tv::mail::run_receive();
    if (std::strcmp(command, "send") == 0) return tv::mail::run_send();
    std::fprintf(stderr, "talvenor-mail: unknown command %s\n", command);
    return 2;
}
