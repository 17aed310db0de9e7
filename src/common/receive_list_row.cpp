#include "common/receive_list_row.h"

#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "common/width_conversion.h"

namespace tv {

using namespace tv::literals;

const std::string& UNREAD_MARK() { return "<未>"_sj; }
const std::string& ANSWER_MARK() { return "<樽>"_sj; }

std::string build_receive_row(std::string_view sender, std::string_view flag, std::string_view subject,
                              std::string_view date, const RowColumns& columns) {
    std::string row;
    row.reserve(columns.width());
    row += fit_column(sender, columns.address);
    row += "  ";
    row += flag.empty() ? ' ' : flag[0];
    row += "   ";
    row += fit_column(subject, columns.subject);
    row += "   ";
    row += fit_width(date, columns.date);
    return row;
}

std::string receipt_time_from_name(std::string_view name) {
    auto b = [&](std::size_t from, std::size_t n) { return mid_bytes(name, from, n); };
    return b(1, 4) + "/" + b(5, 2) + "/" + b(7, 2) + " " + b(10, 2) + ":" + b(12, 2) + ":" + b(14, 2);
}

std::string row_from_record(const std::optional<SummaryItems>& record, std::string_view mail_name, RowDate rule,
                            const RowColumns& columns) {
    std::string receipt = receipt_time_from_name(trim(mail_name));
    std::string sender, subject, date, flag = " ";
    if (record && record->any) {
        sender = from_byte(trim(record->sender), 7);
        subject = from_byte(trim(record->subject), 10);
        date = from_byte(trim(record->date), 7);
        flag = record->flag;
        if (rule == RowDate::ReceiptIfOther && trim(left_bytes(date, 10)) != trim(left_bytes(receipt, 10))) {
            date = receipt;
        }
    }
    if (is_blank(date)) date = receipt;
    if (flag != "F") flag = " ";
    std::string row = build_receive_row(sender, flag, subject, date, columns);
    if (is_blank(row)) row = build_receive_row(sender, flag, mail_name, date, columns);
    return row;
}

void write_list_cache(std::string_view path, const std::vector<std::string>& rows) {
    // Written whole through a temporary file: a reader never meets half a cache.
    files::write_lines_atomic(path, rows.empty() ? std::vector<std::string>{""} : rows);
}

std::vector<std::string> load_list_cache(std::string_view path) {
    std::vector<std::string> rows;
    auto lines = files::read_lines(path);
    if (!lines) return rows;
    for (auto& line : *lines) {
        if (is_blank(line)) break;
        rows.push_back(std::move(line));
    }
    return rows;
}

int count_list_cache(std::string_view path) { return static_cast<int>(load_list_cache(path).size()); }

}  // namespace tv
