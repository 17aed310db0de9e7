// The address book window FORM7: the address book listed sorted, with its search box and import.
#pragma once

namespace tv::books {

// The search-mode option of the address book's search box.
inline constexpr const char* kSearchModeFile = "SYSTEM_F\\ADO_KENSAKU";

void define_address_book_window();

void ADDRESS_ON();  // the menu item that opens it
void FORM7_START();
void BUTTON7_ON();  // closes it
void FORM7_QUERYCLOSE();

}  // namespace tv::books
