// A mail of the trash or folder window taken out of the program: saved as an .eml file, opened in
// the desktop's mail program, or shown as its source in the details window.
#pragma once

namespace tv::folders {

// The folder window's "名前を付けて保存" for its received and its sent list.
void BUTTON57_ON();
void BUTTON61_ON();

// The popup item "メールソフトから開く" of the trash and of the folder window: a copy of each
// selected mail opens in the mail program; the window then steps aside.
void BUTTON70_ON();
void BUTTON71_ON();

// The popup item "詳細": the source of the selected received mail of the open trash or folder
// window, in the details window FORM2, which stands in for that window until it closes.
void GOMI_F_SYOUSAI();

}  // namespace tv::folders
