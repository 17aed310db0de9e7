// The source window FORM2: one received mail as stored, line by line, ISO-2022-JP text shown as
// Japanese. Opened from the receive list (BUTTON4_ON), the trash and the folders.
#pragma once

#include <string>
#include <string_view>

namespace tv::viewer {

void define_source_window();

void BUTTON4_ON();
void FORM2_START();
void FORM2_RESIZE();
void FORM2_QUERYCLOSE();

// The caption for a list row: "詳細 ･･･ " + subject + " ( " + date + " )", from a receive-list row,
// or from a trash or folder row (two blanks before "(").
std::string source_caption(std::string_view row, bool folder_row);

}  // namespace tv::viewer
