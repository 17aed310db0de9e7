// The trash and the four user folders as their windows show them. Their folders and list caches
// are the stores of mail_stores.h (store_by_folder_no).
#pragma once

#include <string>

namespace tv::store {

// The window that shows a place and its lists: three hidden sorted listings of the place's
// folders and the two visible lists, whose row i is name i of the matching listing.
struct FolderWindowLists {
    const char* window;
    const char* received_files;
    const char* record_files;
    const char* sent_files;
    const char* received_list;
    const char* sent_list;
};

struct FolderPlace {
    int folder_no;              // FOLDER_NO: 0 trash, 1 JOB, 2 PRIVATE, 3 HOBBY, 4 ANOTHER
    const char* display_name;   // UTF-8 source text, for captions and messages
    FolderWindowLists lists;
};

// The place of a FOLDER_NO (anything outside 1-4 is the trash).
const FolderPlace& folder_place(int folder_no);
// The place's name in CP932.
const std::string& display_name(const FolderPlace& place);

}  // namespace tv::store
