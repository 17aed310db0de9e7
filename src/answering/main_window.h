// What the answering mode does to the main window: its state, caption, font and class icon.
#pragma once

#include <string>

namespace tv::answering {

// "Talveno-chuu !": the mode waits.
inline constexpr const char* kWaitingCaption = "Talveno-chuu !";

// Shows the main window minimised (a change of state raises its resize event).
void show_main_minimized();
void enable_main(bool enabled);
void set_main_caption(const std::string& caption);
// The main window's font face becomes "ＭＳ ゴシック".
void main_font_gothic();

// Where the icon is set: the start pauses longer when the file cannot be loaded.
enum class IconPauses { Start, Resize };
// Loads SYSTEM_F\TLVN.ico into ARRIVAL_ICON_HANDLE and makes it the main window's icon; a file that
// cannot be loaded leaves the icon as it was.
void set_normal_icon(IconPauses pauses);
// The same with SYSTEM_F\TLVG.ico after mail has come.
void set_arrival_icon();

}  // namespace tv::answering
