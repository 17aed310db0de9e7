// The reply-text editor FORM13: reply texts written, named, saved and deleted; left only through
// its back button, which closes the settings window beneath it too.
#pragma once

namespace tv::answering {

void define_reply_text_editor();

void FORM13_START();
void FORM13_QUERYCLOSE();
void COMBO2_CHANGE();
void EDIT20_CHANGE();
void EDIT19_SETFOCUS();
void EDIT20_SETFOCUS();
void BUTTON44_ON();
void BUTTON42_ON();
void BUTTON43_ON();
void BUTTON41_ON();

}  // namespace tv::answering
