// The keep-on-server option, SYSTEM_F\serv_del: the last line, trimmed; a number above 0 keeps
// mail on the server. A missing or empty file, "0", text or an empty last line mean delete.
#pragma once

namespace tv::mail {

bool keep_on_server();

}  // namespace tv::mail
