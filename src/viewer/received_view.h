// Views 1, 3 and 5: a received mail of the receive box, the trash or a user folder, read through
// the parse script and shown with its header, body and attachments.
#pragma once

#include <string>
#include <string_view>

#include "viewer/view_modes.h"

namespace tv::viewer {

void show_received_mail(const ViewMode& view);

// The sender line with its escaping backslashes removed when it holds "\(" or "\)"; double-byte
// characters whose second byte is a backslash stay whole.
std::string cleaned_sender_line(std::string_view line);

// The receipt time that a received mail's file name begins with: "YYYY/MM/DD hh:mm:ss".
std::string receipt_time_text(std::string_view file_name);

}  // namespace tv::viewer
