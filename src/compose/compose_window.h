// The compose window FORM9: its controls, its load, the boxes' focus and Enter handling, the body's
// line list and the user's close request.
#pragma once

#include <string>

namespace tv::compose {

void define_compose_window();

// The main window's "メールの作成": opens the compose window for a new mail.
void BUTTON1_ON();

void FORM9_START();
void FORM9_QUERYCLOSE();
void FORM9_RESIZE();
void EDIT11_SETFOCUS();
void EDIT14_SETFOCUS();
void EDIT12_SETFOCUS();
void EDIT12_KILLFOCUS();
void EDIT13_SETFOCUS();
void EDIT13_KILLFOCUS();
void EDIT12_CHANGE();
void EDIT14_CHANGE();
// Rebuilds the body line list LIST14 from the body box.
void EDIT11_CHANGE();

// Whether the open compose window was loaded to edit a stored unsent mail; it keeps that for its
// whole life, whatever becomes of UNSENT_MODE.
bool edits_unsent_mail();

// Where the compose window hands control back when the user closes it.
enum class ComposeReturn { UnsentList, MainWindow, MainClosingOthers, Trash, Folder };
ComposeReturn compose_return(int unsent_mode, int from_trash, int from_folder, bool main_visible);

// What sending and saving do alike once the compose window goes: the trash and folder windows
// are closed without their close handling.
void close_trash_and_folder_windows();

// Both hand-over files back to idle; a file error is told (owned by `owner`) and nothing else.
void set_handovers_idle_or_tell(const std::string& owner);

}  // namespace tv::compose
