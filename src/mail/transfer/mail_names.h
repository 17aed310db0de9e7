// Names of new mail files: YYYYMMDD_hhmmss_NNNNNN and an extension, sorting after every file
// already in the folder. When the clock has gone back behind the newest name, the names carry
// that name's time instead, so the order of the folder stays the order of arrival.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace tv::mail {

// `count` names for new files in `folder` (a system path), in ascending order; `now` is the local
// receipt time. Raises TransferError(kLocal) when the newest file of the folder has a name no such
// name can sort after.
std::vector<std::string> next_mail_names(std::string_view folder, std::size_t count, std::string_view extension,
                                         std::time_t now);

}  // namespace tv::mail
