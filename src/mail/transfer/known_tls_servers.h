// The servers this program folder has spoken TLS with, SYSTEM_F\.tls_servers: one line per server
// and port. A server in it is never spoken to without TLS again, so that a STARTTLS offer removed
// on the way cannot turn a session into plain text.
#pragma once

#include <string>

namespace tv::mail {

struct Endpoint;

bool seen_with_tls(const Endpoint& endpoint);

// Adds the endpoint; a file that cannot be written is reported and otherwise ignored (the session
// itself was sound).
void remember_tls(const Endpoint& endpoint);

}  // namespace tv::mail
