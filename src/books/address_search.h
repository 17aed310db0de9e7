// The search box of the address book window: Enter selects the next row holding the typed key.
#pragma once

namespace tv::books {

void RADIO17_ON();  // search as typed
void RADIO18_ON();  // search with letter case ignored
void EDIT32_SETFOCUS();
void EDIT32_CHANGE();

}  // namespace tv::books
