// What the start-up reads into the globals: the option flags, the system's generation, the
// menu-bar height and the answering settings.
#pragma once

#include <string>

namespace tv::shell {

void read_option_flags();
void record_os_generation();
void take_menu_bar_height();
void load_answering_settings();

// Sets a File-menu item's check mark from an option value: 0 clears, 1 sets, others leave it.
void set_check_mark(const char* item, const std::string& value);

}  // namespace tv::shell
