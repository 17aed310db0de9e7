// The identity of a fetched message: a fixed-width first line of its file. The program finds mail
// delivered a second time by a substring search over first lines, so identities have one width
// and can never contain one another.
#pragma once

#include <string>
#include <string_view>

namespace tv::mail {

// 40 lower-case hex digits of SHA-1 over the parts, each followed by a NUL byte.
std::string sha1_hex(std::initializer_list<std::string_view> parts);

// "X-Talvenor-Id: " and the SHA-1 of server, user ID and UIDL, ended by CR LF. The server name is
// taken in lower case: it names the same server in any case. A server that lists several messages
// under one UIDL gives the second and later ones (`occurrence` 2 and up, in listing order) their
// number as a fourth part, so that no two of them look like one mail delivered twice.
std::string identity_line(std::string_view server, std::string_view user, std::string_view uidl,
                          std::size_t occurrence = 1);

}  // namespace tv::mail
