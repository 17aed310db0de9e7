// The destination picker: FORM10 in its picker layout lists the address book and hands the chosen
// entry to the compose window's To box.
#pragma once

#include <string>
#include <string_view>

namespace tv::compose {

void BUTTON26_ON();
void EDIT33_CHANGE();
void EDIT33_SETFOCUS();
void RADIO19_ON();
void RADIO20_ON();
void LIST13_DBLCLICK();

// A row of the picker: the display name in 40 bytes, two blanks, the address in 50 bytes.
std::string picker_row(std::string_view name, std::string_view address);

}  // namespace tv::compose
