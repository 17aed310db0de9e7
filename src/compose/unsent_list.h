// The unsent-mail list: FORM10 in its unsent layout lists SYSTEM_F\BADSOU, reopens a mail in the
// compose window, and deletes one mail or all of them.
#pragma once

#include <string>

#include "compose/unsent_mail.h"

namespace tv::compose {

void BUTTON72_ON();
void LIST30_DBLCLICK();
void BUTTON73_ON();
void BUTTON74_ON();

// A row of the list: the recipient in 48 bytes, two blanks, the attachment mark ("F" or a blank),
// three blanks, the subject in 90 bytes.
std::string unsent_row(const UnsentMail& mail);

}  // namespace tv::compose
