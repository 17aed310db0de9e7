// The account window FORM4: shows and edits the ten account values.
#pragma once

#include <vector>

#include "platform/events.h"

namespace tv::transfer {

// Defines FORM4.
void define_account_window();

void KANKYOYU_ON();  // the menu item that opens it
void FORM4_START();
void BUTTON6_ON();   // OK: keeps the values and closes
void BUTTON5_ON();   // cancel
void FORM4_QUERYCLOSE();

// The handlers of its boxes and radio buttons: Enter moves on, a radio button sets the timeout.
std::vector<platform::NamedHandler> account_box_handlers();

}  // namespace tv::transfer
