// Every subsystem's windows and handlers, the one place the program and the test harness install
// them.
#pragma once

namespace tv {

void install_program();

}  // namespace tv
