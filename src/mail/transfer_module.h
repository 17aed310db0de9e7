// Loading the transfer module (libtalvenor-mail-transfer.so, beside talvenor-mail) for a receive
// or a send.
#pragma once

namespace tv::mail {

// Runs the receive or send of the module. A module that cannot be loaded still gives the program
// its result file: an "ERROR" line that says what is missing.
int run_transfer_module(const char* command);

}  // namespace tv::mail
