// WRITE_SUMMARY_RECORD: the one writer of mail summary records.
#pragma once

#include <string>
#include <string_view>

#include "common/parse_result.h"

namespace tv::store {

// Writes (creates or replaces) the record of `mail_file_name` in `record_folder` from the mail's
// parse result, then pauses 20 ms. A refused parse writes nothing and does not pause.
void WRITE_SUMMARY_RECORD(std::string_view record_folder, std::string_view mail_file_name, const ParseResult& result);

// The same from the result's three lines and flag, for callers that read results themselves.
void write_summary_record(std::string_view record_folder, std::string_view mail_file_name, std::string_view date_line,
                          std::string_view sender_line, std::string_view subject_line, std::string_view flag);

// Writes a record of items that are already cleaned (no pause).
void write_record_items(std::string_view record_folder, std::string_view mail_file_name, std::string_view date,
                        std::string_view sender, std::string_view subject, std::string_view flag);

}  // namespace tv::store
