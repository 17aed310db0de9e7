// The account as the transfers need it: complete, with its ports and inactivity limit as numbers.
// The file is read by common/account_file.h, as the program reads it.
#pragma once

#include <string>

#include "common/account_file.h"

namespace tv::mail {

// Reads the account; raises TransferError(kAccount) when the file is missing, one of the ten
// values is blank or holds a control byte.
AccountData read_account();

// A port value as a number; raises TransferError(kAccount) when it is not one.
int port_number(const std::string& value);

// The inactivity limit in seconds (value 9); 180 when it is not a positive number.
long timeout_seconds(const AccountData& account);

}  // namespace tv::mail
