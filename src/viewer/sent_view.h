// Views 2, 4 and 6: a sent mail of the send box, the trash or a user folder, read from its file.
#pragma once

#include <string>
#include <vector>

#include "viewer/view_modes.h"

namespace tv::viewer {

// What a sent-mail file holds. Header lines count only before the first "BODY:" line (a later one
// of a tag replaces an earlier one); the attachments are the "FILE:" lines that end the file; the
// body runs from the second line after "BODY:" to the line before them.
struct SentMail {
    std::string date, from, to, subject;
    std::vector<std::string> body;
    std::vector<std::string> attachments;  // the paths as recorded
};

SentMail read_sent_mail(const std::vector<std::string>& lines);

void show_sent_mail(const ViewMode& view);

}  // namespace tv::viewer
