#include "store/summary_writer.h"

#include "common/paths.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "common/text_file.h"
#include "platform/platform.h"

namespace tv::store {

void write_record_items(std::string_view record_folder, std::string_view mail_file_name, std::string_view date,
                        std::string_view sender, std::string_view subject, std::string_view flag) {
    files::write_line(files::join(record_folder, SUMMARY_RECORD_NAME(mail_file_name)),
                      summary_record_line(date, sender, subject, flag));
}

void write_summary_record(std::string_view record_folder, std::string_view mail_file_name, std::string_view date_line,
                          std::string_view sender_line, std::string_view subject_line, std::string_view flag) {
    write_record_items(record_folder, mail_file_name, trim(date_line), CLEAN_SENDER_LINE(trim(sender_line)),
                       CLEAN_SUBJECT_LINE(trim(subject_line)), flag);
    platform::pause(20);
}

void WRITE_SUMMARY_RECORD(std::string_view record_folder, std::string_view mail_file_name, const ParseResult& result) {
    // A refused parse is no result: the mail keeps whatever record it had.
    if (result.refused()) return;
    write_summary_record(record_folder, mail_file_name, result.date_line(), result.sender_line(),
                         result.subject_line(), result.attachment_flag());
}

}  // namespace tv::store
