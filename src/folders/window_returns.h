// Putting the selected mail of the trash or a folder back into the receive box or the send box.
// The window closes and the main window is filled again, where the mail stands at its place.
#pragma once

namespace tv::folders {

// The trash window's "受信ボックスに戻す" and "送信ボックスに戻す".
void BUTTON16_ON();
void BUTTON17_ON();

}  // namespace tv::folders
