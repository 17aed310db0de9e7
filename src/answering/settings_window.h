// The answering settings window FORM11: the interval, the forward address, the spam options, the
// reply text and the options on specific senders and attachments, with OK, cancel and close.
#pragma once

namespace tv::answering {

void define_settings_window();

void TALVENORSETTEI_ON();
void FORM11_START();
void BUTTON37_ON();
void BUTTON31_ON();
void FORM11_QUERYCLOSE();
void COMBO1_CHANGE();
void EDIT18_SETFOCUS();
void BUTTON40_ON();

}  // namespace tv::answering
