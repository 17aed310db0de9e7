// Whether a file already holds an attachment's bytes, found without writing the attachment
// anywhere: its print by writing it through a digest to a null stream, its bytes by reading the
// file alongside.
#pragma once

#include <gmime/gmime.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tv::mail {

// Writes a whole content to the stream it is given, each time it is called; false on failure.
using ContentWriter = std::function<bool(GMimeStream* out)>;

// What tells contents apart without comparing them byte by byte: the size and a SHA-256 digest.
struct ContentPrint {
    std::uint64_t size = 0;
    std::string digest;
    bool operator<(const ContentPrint& other) const {
        return size != other.size ? size < other.size : digest < other.digest;
    }
};

// The print of what `content` writes; nullopt when it fails.
std::optional<ContentPrint> content_print(const ContentWriter& content);
// The print of the file open for reading at `fd`, from its current offset to its end.
std::optional<ContentPrint> file_print(int fd);

// Whether the file open for reading at `fd` holds exactly the bytes `content` writes, from its
// current offset to its end. Stops at the first byte that differs.
bool file_holds(int fd, const ContentWriter& content);

}  // namespace tv::mail
