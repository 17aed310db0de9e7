// Filling the lists of the trash or folder window when it is set up.
#pragma once

namespace tv::folders {

// Fills the received and sent lists of the window that shows FOLDER_NO `folder_no` (0 the trash,
// 1-4 a folder) from its store. The received rows come from the list cache when it holds as many
// rows as there are mails and records; else from the records when record i is named after mail i
// for every mail; else every mail is read through the parse script and the user is advised to
// rebuild the database. The sent rows are built from the sent files, one per file. Both count
// lines are drawn and the window is enabled. Runtime errors (a damaged record) go to the caller.
void load_window_lists(int folder_no);

}  // namespace tv::folders
