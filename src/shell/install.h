// The shell's windows and handlers: the main window, its menus, popups, options and exit.
#pragma once

namespace tv::shell {

void install();

}  // namespace tv::shell
