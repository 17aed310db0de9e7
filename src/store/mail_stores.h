// The six stores of received mail, in their fixed order, and how they are listed and cleared.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"

namespace tv::store {

struct MailStore {
    const char* name;           // for messages and tests
    int folder_no;              // FOLDER_NO; -1 for the receive box
    const char* mail_folder;    // received mail
    const char* record_folder;  // summary records
    const char* sent_folder;    // sent mail beside it (no records, no cache)
    const char* cache;          // list cache, as the rebuild names it
    const char* mail_list;      // hidden work list of MAINFORM for its mail names
    const char* first_run_banner;  // UTF-8 source text
    bool long_wait_line;           // the first-run front wait line with six trailing blanks
    const char* rebuild_banner;    // UTF-8 source text, 11 bytes in CP932
    int final_pause_ms;            // after the full bar of the database rebuild
};

const std::array<MailStore, 6>& mail_stores();
const MailStore& receive_box();
const MailStore& trash_store();
// FOLDER_NO 0 gives the trash, 1 to 4 the user folders.
const MailStore& store_by_folder_no(int folder_no);

// MAINFORM's hidden sorted work lists.
platform::Control& work_list(const char* name);

// Empties the work list and fills it with the folder's file names in the one listing order.
int LIST_FOLDER_FILES(std::string_view folder, platform::Control& work_list);

// Item i (1-based) of a work list, trimmed.
std::string listed_name(const platform::Control& work_list, int i);

// Whether the records listing pairs with the mails listing: as many names, and record i named
// after mail i (case-blind). Only then may a list be built from the records.
bool records_pair_with_mails(const platform::Control& mails, const platform::Control& records);

// A store is rebuilt at start when it has mail and no record.
bool needs_first_run_rebuild(int record_count, int mail_count);

// Deletes every record that LIST33 names, with a 20 ms pause before and after.
void CLEAR_STORE_RECORDS(const MailStore& store);

}  // namespace tv::store
