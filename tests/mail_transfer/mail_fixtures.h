// Raw messages of the kinds a mailbox holds, as a server stores them.
#pragma once

#include <string>
#include <vector>

namespace tv::test {

struct RawMessage {
    const char* name;
    std::string stored;    // as the server keeps it (LF or CR LF line ends)
};

// Plain ASCII, ISO-2022-JP, Shift_JIS quoted-printable, 8-bit UTF-8, multipart with a base64
// attachment, dot-started lines, LF-only lines.
const std::vector<RawMessage>& mixed_messages();

// What a stored message becomes in JUSINBOX after its identity line: every line end CR LF.
std::string with_crlf(const std::string& bytes);

// A message of about `size` bytes of numbered lines.
std::string sized_message(const std::string& subject, std::size_t size);

}  // namespace tv::test
