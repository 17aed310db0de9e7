// The unsent-mail store SYSTEM_F\BADSOU: one send request per file, named by its stamp.
#pragma once

#include <string>

namespace tv::transfer {

inline constexpr const char* kUnsentFolder = "SYSTEM_F\\BADSOU";

// A free name "<yyyymmddhhmmss>_DEL_SOUSIN.txt": the stamp of now, moved on second by second
// while a file of that name exists, so two mails kept in one second never replace each other.
std::string new_unsent_name();

// Copies the send request into the store under a new name and deletes the request; false when
// there is no request.
bool keep_request_as_unsent();

}  // namespace tv::transfer
