// The settings window's spam words, forward and reply switches and reply attachments.
#pragma once

namespace tv::answering {

// The switch pictures: play (the switch stopped) and pause (the switch running).
inline constexpr const char* kPlayPicture = "SYSTEM_F\\BTN_PL.bmp";
inline constexpr const char* kPausePicture = "SYSTEM_F\\BTN_PA.bmp";

// At the window's load: the spam words of the file, the reply attachments of the folder, the two
// switches with their help lines.
void fill_spam_words();
void list_reply_attachments();
void draw_switches();

void BUTTON38_ON();
void BUTTON39_ON();
void FORM11_CLICK();
void FORM11_MOUSEDOWN();
void BUTTON45_ON();
void BUTTON46_ON();

// "FILE ERROR !": a reply text or attachment that could not be read, saved or deleted.
void tell_file_error(const char* owner);

}  // namespace tv::answering
