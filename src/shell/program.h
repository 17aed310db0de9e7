// The whole program's windows and handlers, registered with the platform.
#pragma once

namespace tv::shell {

// Defines every form and registers every handler by its name.
void install_program();

}  // namespace tv::shell
