// ReceiveListRow: the 139-byte fixed-column row of the receive list and of its cache
// SYSTEM_F\F_JU.txt; the list caches' file rules, shared by every list with a cache.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/list_row_columns.h"
#include "common/summary_record.h"

namespace tv {

namespace receive_row {
constexpr std::size_t kSender = 50;   // bytes 1-50
constexpr std::size_t kFlag = 53;     // byte 53
constexpr std::size_t kSubject = 57;  // bytes 57-116
constexpr std::size_t kSubjectWidth = 60;
constexpr std::size_t kDate = 120;    // bytes 120-139
constexpr std::size_t kDateWidth = 20;
constexpr std::size_t kWidth = 139;
}  // namespace receive_row

// "<未>" before the subject of a mail the user fetched; "<樽>" when fetched by the answering mode.
const std::string& UNREAD_MARK();
const std::string& ANSWER_MARK();

// A row from its column texts (without their prefixes): sender and subject fitted with the width
// conversion, flag "F" or a blank, date padded or cut. The trash and folder lists use the same rule
// with their narrower columns.
std::string build_receive_row(std::string_view sender, std::string_view flag, std::string_view subject,
                              std::string_view date, const RowColumns& columns = kReceiveColumns);

// "yyyy/mm/dd hh:mm:ss" from a mail or record name beginning YYYYMMDD_hhmmss.
std::string receipt_time_from_name(std::string_view name);

// How a row takes its date from a record.
enum class RowDate {
    Record,         // the record's date line
    ReceiptIfOther  // the record's date when its day is the receipt day of the name, else the receipt time
};

// The row of one mail from its summary record, or from what is missing of it. A missing or empty
// record, or one with a blank subject, still gives a row; its date is then the receipt time of
// the mail's name. No row is ever blank: a row without any text shows the mail's name.
std::string row_from_record(const std::optional<SummaryItems>& record, std::string_view mail_name, RowDate rule,
                            const RowColumns& columns = kReceiveColumns);

// List caches: one row per line, written whole. An empty list is written as one empty line.
void write_list_cache(std::string_view path, const std::vector<std::string>& rows);
// The rows a cache holds: its lines up to the first blank one.
std::vector<std::string> load_list_cache(std::string_view path);
// The number of rows a load would give (so a cache is trusted only when it loads every row).
int count_list_cache(std::string_view path);

}  // namespace tv
