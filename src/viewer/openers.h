// Opening a mail of the main window's lists in the viewer, and keeping one of the two lists selected.
#pragma once

#include "viewer/main_boxes.h"

namespace tv::viewer {

// Records the row the viewer shows: VIEW_RECV_ROW or VIEW_SENT_ROW, the other one -1.
void record_row(const MainBox& box, int row);
// Records the row of the mail to show (VIEW_MODE, VIEW_RECV_ROW, VIEW_SENT_ROW) and names its file in
// MAIL_FILE_NAME; false when the row names none.
bool name_mail(const MainBox& box, int row);
// After the viewer was loaded for `row`: a received mail loses its mark, and the list, rebuilt by
// that, gets its selection back (and its top row, with `put_top_back`).
void after_opening(const MainBox& box, int row, int top, bool put_top_back);

void LIST3_CLICK();
void LIST1_CLICK();
void LIST3_DBLCLICK();
void LIST1_DBLCLICK();
void HIRAKU_ON();

}  // namespace tv::viewer
