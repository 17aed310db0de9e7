// The account as the transfers use it; the file itself is read and written by common/account_file.h.
#pragma once

#include <string>

namespace tv::transfer {

// The message every transfer shows when the account is not set.
void show_account_not_set(const std::string& owner = "MAINFORM");

}  // namespace tv::transfer
