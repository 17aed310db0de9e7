// MAINFORM_START: the main window's load, also called to refresh both main lists.
#pragma once

namespace tv::shell {

void MAINFORM_START();

// Rebuilds the send list LIST1 (and its listing LIST5) from the sent files.
void fill_send_list();

}  // namespace tv::shell
