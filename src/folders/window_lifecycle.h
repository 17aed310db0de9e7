// What the trash window and the folder window share from set-up to close.
#pragma once

#include <string>

namespace tv::folders {

// The set-up of the window that shows `folder_no`: caption, the compose window hidden, the open
// flag, the face, the delete option, the popup registrations and the lists. A runtime error on
// the way says that the database has a problem and closes the window without writing its cache.
void set_up_window(int folder_no);

// The user's close: the received list goes to the cache as shown, the window closes and the main
// window (and a loaded compose window) comes back. A disabled window refuses.
void close_window_by_user(int folder_no);

// How the received list is saved when its window is left: the 20 ms pauses after the old cache
// goes, and whether queued events run before it goes and before each row.
struct CacheSave {
    int pauses = 1;
    bool pump_per_row = false;
};

// The window left from code: the open flag cleared and the received list saved to its cache.
void leave_window(int folder_no, CacheSave save = {});

// A click on one list of the window clears the other list's selection when the clicked list has
// rows.
void clear_other_selection(const std::string& form, const std::string& clicked, const std::string& other);

// Opens the selected mail of a list in the viewer FORM3 (VIEW_MODE `view_mode`, MAIL_FILE_NAME and
// SUBWIN_MAIL_FILE from the hidden listing) and disables the window until the viewer closes. With
// the child window slot taken by another window nothing opens and the window stays usable. The
// selected row, -1 for none.
int open_in_viewer(const std::string& form, const std::string& list, const std::string& files, int view_mode);

}  // namespace tv::folders
