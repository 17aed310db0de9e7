// FolderListRow: the 129-byte row of the trash and folder lists and of their list caches
// (sender or recipient 46, flag, subject 54, date 20). The caches are read and written with the
// list-cache functions of receive_list_row.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/receive_list_row.h"
#include "common/send_list_row.h"
#include "common/summary_record.h"

namespace tv {

inline constexpr SentRowStyle kFolderSentStyle{kFolderColumns, false};

// The row of a received mail from its summary record, or from the items of its parse result. The
// date is the record's own; sender and subject are width-converted. Every mail gets a row, also
// one whose record is missing, empty or has a blank subject, so row i stays mail i.
std::string folder_received_row(const std::optional<SummaryItems>& record, std::string_view mail_name);

// The row of a sent mail from its file's lines, texts as stored. Every file gets a row, also one
// whose recipient line is blank.
std::string folder_sent_row(const std::vector<std::string>& lines, std::string_view file_name);

}  // namespace tv
