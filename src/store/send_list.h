// The send list LIST1 of the main window, rebuilt from the sent files.
#pragma once

namespace tv::store {

inline constexpr const char* kSentFolder = "SOUSINBOX";

// Lists SOUSINBOX into LIST5 and rebuilds LIST1 with one row per listed file, in listing order,
// so row i is always file i. With `pump_per_row` queued events run while the rows are built.
void refill_send_list(bool pump_per_row);

}  // namespace tv::store
