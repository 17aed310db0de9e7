// The receive list LIST3 of the main window: refilled from the records, its cache, the counts.
#pragma once

#include <string>
#include <vector>

#include "common/receive_list_row.h"
#include "platform/forms.h"

namespace tv::store {

inline constexpr const char* kReceiveCache = "SYSTEM_F\\F_JU.txt";

// The receive list LIST3 of MAINFORM.
platform::Control& receive_list();

// How a refill from the records behaves.
struct RecordFill {
    RowDate date_rule;
    bool pump_per_row;  // one queued event runs before each row is built
};

// Refills LIST3 with one row per mail of LIST2, each from the mail's own record (a missing or
// empty record still gives a row), lists the records into LIST33, and scrolls to the last row.
void fill_receive_list_from_records(const RecordFill& how);

// Puts the row of each mail that came into JUSINBOX since LIST2 was filled into LIST3 at the
// place of its name, made from its record, and writes the cache from the rows: every other row
// keeps its unread or answering mark. False, with nothing changed, when LIST3 and LIST2 were not
// in step with the box (the next load of the main window rebuilds them).
bool add_rows_of_new_mail();

// The cache SYSTEM_F\F_JU.txt after a change of the box's mail was finished at start: when it
// still lists the box as it was before the change, it loses the rows of the mails `left` and gains
// a row from the record of each mail that `came`, at their places, and every other row keeps its
// mark. A cache that already follows the box, or that does not pair with it, is left to the main
// window's load.
void follow_finished_change(const std::vector<std::string>& left, const std::vector<std::string>& came);

// The database rebuild's refill.
void REFILL_RECEIVE_LIST();

// Draws the receive-box and send-box counts on MAINFORM from the row counts of LIST3 and LIST1.
void DRAW_BOX_COUNTS();

// Writes SYSTEM_F\F_JU.txt from the rows of LIST3.
void write_receive_cache();

}  // namespace tv::store
