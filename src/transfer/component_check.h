// The check that the mail component talvenor-mail is installed beside the program.
#pragma once

#include <string>

namespace tv::transfer {

bool mail_component_present();
// Returns only when the component is there; otherwise tells the user (the message owned by
// `owner`) and ends the program.
void BASP_CHECK(const std::string& owner = "MAINFORM");
// The same at start-up: the splash is closed first.
void startup_component_check();

}  // namespace tv::transfer
