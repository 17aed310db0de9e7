// SendListRow: the 139-byte row of the send list, built from a sent mail file's lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/list_row_columns.h"

namespace tv {

// How a list shows a sent file: the send list converts the widths of its texts, the trash and
// folder lists show them as stored.
struct SentRowStyle {
    RowColumns columns;
    bool convert_width;
};

inline constexpr SentRowStyle kSendListStyle{kSendColumns, true};

// The row of a sent file: recipient (line 3), flag (the last "FILE:" line), subject (line 4) and
// date (line 1). A file without those lines still gives a row; a row without any text shows the
// file's name.
// `recipient`, when given, replaces the text after "TO:" (a name from the address book).
std::string build_send_row(const std::vector<std::string>& lines, std::string_view file_name,
                           const SentRowStyle& style = kSendListStyle, const std::string* recipient = nullptr);

// The lines of a sent file as the send list reads them (at most 9998); empty when it is gone.
std::vector<std::string> read_sent_file(std::string_view path);

}  // namespace tv
