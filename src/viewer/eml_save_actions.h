// The members of the .eml save that the viewer owns: the main window's (HOZON_ON), the viewer's own
// button (BUTTON13_ON) and the trash window's two buttons (BUTTON20_ON, BUTTON21_ON). Each finds its
// mail and its subject; the dialog, the checks and the copy are store::save_mail_as_eml. The trash
// window's pair is store::save_listed_mail, which the folder window's save shares.
#pragma once

namespace tv::viewer {

void HOZON_ON();
void BUTTON13_ON();
void BUTTON20_ON();
void BUTTON21_ON();

}  // namespace tv::viewer
