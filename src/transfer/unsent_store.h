// The unsent-mail store SYSTEM_F\BADSOU: one send request per file, named by its stamp. A kept
// mail's attachments lie in a folder of the store named after the file without ".txt"; listings
// skip folders, so it is no unsent mail of its own.
#pragma once

#include <string>

namespace tv::transfer {

inline constexpr const char* kUnsentFolder = "SYSTEM_F\\BADSOU";

// A free name "<yyyymmddhhmmss>_DEL_SOUSIN.txt": the stamp of now, moved on second by second
// while a file or an attachment folder of that name exists, so two mails kept in one second never
// replace each other.
std::string new_unsent_name();

// The folder of the store that holds the attachments of the unsent mail `name`.
std::string kept_attachments_folder(const std::string& name);

// Copies the send request into the store under a new name and deletes the request. Attachments that
// lie in the program folder (TENPFIL is emptied at exit) are copied into the mail's attachment
// folder and their "FILE:" lines point there; a user's own file stays referenced where it lies, so
// that the mail goes with the file as it is when it is sent. An attachment that is missing or
// cannot be copied keeps its line. Returns the new name, empty when there was no request. A copy
// that cannot be written raises its runtime error and leaves neither a partial copy nor the request
// lost.
std::string keep_request_as_unsent();

// Deletes the attachment folder of an unsent mail (after the mail was sent or deleted).
void discard_kept_attachments(const std::string& name);

}  // namespace tv::transfer
