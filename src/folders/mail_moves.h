// The one move of a mail between two stores, and the delete beside it. Every move, return,
// restore and delete of the main, trash and folder windows is one of these with its own data.
#pragma once

#include <string>

#include "folders/mail_lists.h"
#include "folders/step_pauses.h"

namespace tv::folders {

// Where a mail goes: the folder for its file and, for received mail, the folder for its record.
struct Destination {
    std::string mail_folder;
    std::string record_folder;
    std::string name;  // CP932, for the message that the move failed ("ＪＯＢフォルダ")
};

// The received or sent side of the receive box, the trash or a folder.
Destination box_destination(bool received);
Destination folder_destination(int folder_no, bool received);

// How the list looks after a change.
struct ViewAfter {
    bool scroll_to_end;       // else the first visible row stays where it was
    bool fall_back_to_last;   // a row past the end selects the last row (else none)
};

// Moves the mail of row `row` (0-based) of the list into the destination: the mail file and the
// record named after it (never another mail's) go as one step that loses nothing. The row leaves
// the list with its mail and the cache is written from the rows as shown; a sent list is rebuilt
// from its files. A copy that fails leaves mail, record and row where they were and says so,
// owned by the list's window. A destination that is the source, or a window that is no longer
// loaded, does nothing. False when nothing moved. `pauses` are the action's own.
bool move_mail(const MailList& from, int row, const Destination& to, ViewAfter view, const StepPauses& pauses);

// Deletes the mail of row `row` for good, with its own record; the row and the cache as above.
void delete_mail(const MailList& list, int row, ViewAfter view, const StepPauses& pauses);

// Deletes every mail of a trash or folder list; for received mail also its cache and every record.
// 20 ms after the cache and after each file.
void delete_all_mail(const MailList& list);

}  // namespace tv::folders
