// The program's last handler for runtime errors: it reports, removes the receive box's records
// after a file anomaly, and ends the program.
#pragma once

#include <exception>

namespace tv::shell {

[[noreturn]] void GLOBAL_ERROR_TRAP(int error_number);

// The error number of an exception that no handler took.
int error_number_of(const std::exception& e);

}  // namespace tv::shell
