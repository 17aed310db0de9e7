// Whether a file already holds an attachment's bytes, found without writing the attachment
// anywhere and without comparing it byte by byte with every file of its name: contents are told
// apart by their size, then the print of their first bytes, and only then the print of the whole.
#pragma once

#include <gmime/gmime.h>

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tv::mail {

// Writes a whole content to the stream it is given, each time it is called; false on failure.
using ContentWriter = std::function<bool(GMimeStream* out)>;

// The first bytes of a content that its head print covers: contents of one size that differ
// mostly differ there, so that the whole of a file is read only for a likely match.
inline constexpr std::size_t kHeadBytes = 4096;

// A content's size and a fast hash of its head: only picks the files worth reading whole, since
// heads may collide.
struct HeadPrint {
    std::uint64_t size = 0;
    std::size_t hash = 0;
    auto operator<=>(const HeadPrint&) const = default;
};

// A content's size and the SHA-256 of the whole of it (hex): decides that two contents are the same.
struct WholePrint {
    std::uint64_t size = 0;
    std::string sha256;
    auto operator<=>(const WholePrint&) const = default;
};

// The size of what `content` writes and the print of its head; nullopt when it fails.
std::optional<HeadPrint> content_head(const ContentWriter& content);
// The print of the whole of what `content` writes; nullopt when it fails.
std::optional<WholePrint> content_print(const ContentWriter& content);

// The same of the file open for reading at `fd`, from its start; `size` is the file's size.
std::optional<HeadPrint> file_head(int fd, std::uint64_t size);
std::optional<WholePrint> file_print(int fd);

}  // namespace tv::mail
