// Clearing the mark of a received mail that the user opens.
#pragma once

#include <string>
#include <string_view>

namespace tv::store {

// Rebuilds every row of the receive list LIST3 and its cache: each row becomes 143 bytes, and row
// UNREAD_CLEAR_ROW loses "<未>" and then "<樽>" at the head of its subject. The list loses its
// selection and scroll position; its callers put them back.
void SAIBYOUGA_L3();

// One row as the rebuild leaves it: the columns before the subject, the 60-byte subject (without
// its marks when `clear_marks`, shifted left and blank-filled) and the 27 bytes after it.
std::string rebuilt_receive_row(std::string_view row, bool clear_marks);

}  // namespace tv::store
