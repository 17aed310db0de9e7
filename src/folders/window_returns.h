// Putting the selected mail of the trash or a folder back into the receive box or the send box.
// The window closes and the main window is filled again, where the mail stands at its place.
#pragma once

namespace tv::folders {

// The trash window's "受信ボックスに戻す" and "送信ボックスに戻す".
void BUTTON16_ON();
void BUTTON17_ON();
// The same from the folder window that shows FOLDER_NO.
void BUTTON54_ON();
void BUTTON58_ON();

}  // namespace tv::folders
