// The mail lists a mail leaves or is deleted from: a visible list of a window, its hidden sorted
// listing (row i is file i) and the store folders and cache behind it.
#pragma once

#include <string>

#include "platform/forms.h"

namespace tv::folders {

enum class ListKind {
    MainReceived,    // LIST3 of the main window, its cache F_JU.txt
    MainSent,        // LIST1: send-list rows, rebuilt from the files
    FolderReceived,  // the received list of the trash or a folder window, with its cache
    FolderSent,      // their sent list, rebuilt from the files
};

struct MailList {
    ListKind kind;
    std::string form;
    std::string list;           // visible rows
    std::string files;          // hidden sorted listing of mail_folder
    std::string mail_folder;
    std::string record_folder;  // empty for sent mail
    std::string cache;          // empty: the list has no cache

    bool received() const { return kind == ListKind::MainReceived || kind == ListKind::FolderReceived; }
    platform::Control& rows() const;
    platform::Control& listing() const;
};

MailList main_received_list();
MailList main_sent_list();
// The received or sent list of the window that shows FOLDER_NO (0 the trash, 1-4 a folder).
MailList window_list(int folder_no, bool received);

// A FOLDER_NO that names a user folder.
bool is_user_folder(int folder_no);
// The user folder FOLDER_NO names, which the folder window shows; -1 when it names none (then no
// file of any store is reached).
int shown_folder();

// Rebuilds a sent list from its files: one row per listed file, built from that file alone, so
// row i stays file i. With `pump_per_row` one queued event runs before each row.
void rebuild_sent_rows(const MailList& list, bool pump_per_row);

// Writes the list's cache from the rows as shown (a list without a cache writes nothing).
void write_cache_from_rows(const MailList& list);

// Redraws what counts the list's rows: the main window's two counts, or the window's count line.
void redraw_count(const MailList& list);

}  // namespace tv::folders
