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

}  // namespace tv::folders
