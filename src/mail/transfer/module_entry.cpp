// The entry of the transfer module, which talvenor-mail loads for a receive or a send only, so the
// parse never loads libcurl and its TLS, Kerberos, LDAP and SSH libraries.
#include <cstring>
#include <filesystem>

#include "common/exchange_files.h"
#include "common/paths.h"
#include "mail/commands.h"

extern "C" __attribute__((visibility("default"))) int talvenor_mail_transfer(const char* command) {
    // The module has its own copy of the file layer: it runs in the program folder too.
    tv::files::set_program_folder(std::filesystem::current_path());
    if (std::strcmp(command, tv::exchange::command::kReceive) == 0) return tv::mail::run_receive();
    if (std::strcmp(command, tv::exchange::command::kSend) == 0) return tv::mail::run_send();
    return 2;
}
