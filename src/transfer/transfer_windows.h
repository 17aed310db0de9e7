// What the transfers draw: the receive panel of FORM5 and the send status window FORM6.
#pragma once

#include <string>

namespace tv::transfer {

// FORM5 as the receive shows it: caption, the two texts and the empty bar frame.
void draw_receive_panel();
// Receive progress blocks first..last (1 to 43), each after a 20 ms pause.
void draw_receive_blocks(int first, int last);
// The sender area of the receive panel: `sender` drawn over the panel's second text.
void draw_receive_sender(const std::string& sender);

// Defines FORM6.
void define_status_window();
void FORM6_START();
void FORM6_RESIZE();

// Unloads the progress window FORM5 and the status window FORM6 where loaded.
void close_progress_windows();
// The status window's texts and bar frame for a send to `SEND_TO_TEXT`.
void draw_send_status();
// Send bar segments first..last (1 to 43): before each, one pump step and a 20 ms pause.
void draw_send_segments(int first, int last);

// A bar of the status window: its frame from (28, 45) to (right, 80); block i runs from
// 34 + pitch * (i - 1) for `width` pixels, from y 49 to 76.
struct StatusBar {
    int right;
    double pitch, width;
};
void draw_status_bar_frame(const StatusBar& bar);
// Blocks first..last of the bar, green: before each, one pump step and a 20 ms pause.
void draw_status_blocks(const StatusBar& bar, int first, int last);

}  // namespace tv::transfer
