// The repair of a trash or folder received list whose records do not pair with its mails: every
// mail is read through the parse script under the progress window. No record is written, so the
// window repairs at every opening until the user rebuilds the database, as the advice asks.
#pragma once

namespace tv::folders {

// Fills the received list of the window of `folder_no` with one row per mail file, in listing
// order, and writes the cache. A result that never completes gives a row from what was read.
void repair_received_list(int folder_no);

// After a repair: the cache goes (the records still disagree) and the user is asked to run the
// database rebuild.
void advise_database_rebuild(int folder_no);

}  // namespace tv::folders
