// Whether a file already holds an attachment's bytes, found without writing the attachment
// anywhere: its size by writing it to a null stream, its bytes by reading the file alongside.
#pragma once

#include <gmime/gmime.h>

#include <cstdint>
#include <functional>
#include <optional>

namespace tv::mail {

// Writes a whole content to the stream it is given, each time it is called; false on failure.
using ContentWriter = std::function<bool(GMimeStream* out)>;

// The number of bytes `content` writes; nullopt when it fails.
std::optional<std::uint64_t> content_size(const ContentWriter& content);

// Whether the file open for reading at `fd` holds exactly the bytes `content` writes, from its
// current offset to its end. Stops at the first byte that differs.
bool file_holds(int fd, const ContentWriter& content);

}  // namespace tv::mail
