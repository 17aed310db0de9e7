// The faces of the trash window FORM8 and the folder window FORM16: their controls, drawn
// headings and count lines. The two windows differ only in the data of their faces.
#pragma once

#include <string>

namespace tv::folders {

struct CountLinePlace {
    int box_x1, box_y1, box_x2, box_y2;
    int x, y;  // the grey text; its white copy one pixel right and below
};

struct WindowFace {
    const char* form;
    int folder_lists_of;  // a FOLDER_NO whose place names the window's lists
    const char* check_box;
    const char* option_file;
    int received_list_height, sent_list_height;
    CountLinePlace received_count, sent_count;
};

const WindowFace& trash_face();
const WindowFace& folder_face();
const WindowFace& face_of(const std::string& form);

void define_folder_windows();

// The set-up's drawing and fonts: background, title panels, column headings, the captions and
// fonts of the buttons and the check box, the lists' fonts and sizes.
void draw_face(const WindowFace& face);

// "[ 受信メール： n 通 ]" or "[ 送信メール： n 通 ]" in the window's count place.
void draw_count_line(const std::string& form, bool received, int count);

// Reads the window's delete option file (a missing one is created empty) into `value` and the
// check box's tick.
void read_delete_option(const WindowFace& face, std::string& value);
// Writes the check box's state into the option file and `value`.
void write_delete_option(const WindowFace& face, std::string& value);

}  // namespace tv::folders
