#include "common/folder_list_row.h"

namespace tv {

std::string folder_received_row(const std::optional<SummaryItems>& record, std::string_view mail_name) {
    return row_from_record(record, mail_name, RowDate::Record, kFolderColumns);
}

std::string folder_sent_row(const std::vector<std::string>& lines, std::string_view file_name) {
    return build_send_row(lines, file_name, kFolderSentStyle);
}

}  // namespace tv
