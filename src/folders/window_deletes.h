// Deleting mail of the trash or a folder for good: the selected mail of one list, or all of it.
// The trash and the folder windows differ only in their lists and their option.
#pragma once

namespace tv::folders {

// The single-delete buttons: the selection is checked, the question asked unless the window's
// option says not to, and DELETE_BOX and DELETE_ROW handed to the window's delete.
void BUTTON14_ON();
void BUTTON15_ON();
// Deletes row DELETE_ROW of the trash window's received (DELETE_BOX 1) or sent (2) list.
void SAKUJO_G();

// "全て削除": every received or every sent mail of the trash, after a question.
void BUTTON18_ON();
void BUTTON19_ON();

// The same for the folder window that shows FOLDER_NO, with its own option.
void BUTTON55_ON();
void BUTTON59_ON();
void SAKUJO_FOR();
void BUTTON56_ON();
void BUTTON60_ON();

// The check boxes "メールを１件削除する場合、確認のダイアログを表示しない" of the trash and folder
// windows: the option of single deletes, kept in SYSTEM_F\G_SAKU and SYSTEM_F\F_SAKU.
void CHECK8_ON();
void CHECK9_ON();

}  // namespace tv::folders
