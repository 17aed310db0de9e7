// The date line of a parse result: local time "yyyy/mm/dd hh:mm:ss" (19 bytes), which the lists
// show whole and compare by its first 10 bytes with the receipt date.
#pragma once

#include <glib.h>

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace tv::mail {

// The mail's own date in local time; nullopt when it has none or it is not a usable date.
std::optional<std::string> local_date_text(GDateTime* date);

// The receipt time that the mail file name begins with (characters 1-8 YYYYMMDD, 10-15 hhmmss);
// nullopt when the name does not hold one.
std::optional<std::string> receipt_time_from_name(std::string_view file_name);

// A moment of the local clock, for a mail whose name holds no receipt time.
std::string local_time_text(std::time_t moment);

}  // namespace tv::mail
