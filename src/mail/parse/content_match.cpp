#include "mail/parse/content_match.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <string_view>
#include <vector>

#include "mail/parse/gobject_ptr.h"

namespace tv::mail {

namespace {

// A stream that counts what is written to it and keeps only its first kHeadBytes.
struct HeadStream {
    GMimeStream parent;
    std::string* head;
    std::uint64_t written;
};

struct HeadStreamClass {
    GMimeStreamClass parent_class;
};

G_DEFINE_TYPE(HeadStream, head_stream, GMIME_TYPE_STREAM)

ssize_t head_stream_write(GMimeStream* stream, const char* buf, size_t len) {
    auto* self = reinterpret_cast<HeadStream*>(stream);
    if (self->head->size() < kHeadBytes) self->head->append(buf, std::min(len, kHeadBytes - self->head->size()));
    self->written += len;
    stream->position += static_cast<gint64>(len);
    return static_cast<ssize_t>(len);
}

int head_stream_flush(GMimeStream*) { return 0; }

void head_stream_init(HeadStream* self) {
    self->head = nullptr;
    self->written = 0;
}

void head_stream_class_init(HeadStreamClass* klass) {
    klass->parent_class.write = head_stream_write;
    klass->parent_class.flush = head_stream_flush;
}

// Reads up to `len` bytes, fewer only at the end of the file.
ssize_t read_fully(int fd, char* buffer, size_t len) {
    size_t got = 0;
    while (got < len) {
        ssize_t n = ::read(fd, buffer + got, len - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

// A head print only picks the files worth reading whole, whose SHA-256 print decides: a fast hash
// does for it, as heads that collide only cost a whole read. A rebuild hashes the heads of every
// same-sized file of a name once per mail, so SHA-256 there was a good part of its time.
std::size_t head_hash(std::string_view head) { return std::hash<std::string_view>{}(head); }

}  // namespace

std::optional<HeadPrint> content_head(const ContentWriter& content) {
    std::string head;
    GObjectPtr<GMimeStream> stream(GMIME_STREAM(g_object_new(head_stream_get_type(), nullptr)));
    g_mime_stream_construct(stream.get(), 0, -1);
    auto* self = reinterpret_cast<HeadStream*>(stream.get());
    self->head = &head;
    if (!content(stream.get())) return std::nullopt;
    return HeadPrint{self->written, head_hash(head)};
}

std::optional<WholePrint> content_print(const ContentWriter& content) {
    GObjectPtr<GMimeStream> null(g_mime_stream_null_new());
    GObjectPtr<GMimeStream> filtered(g_mime_stream_filter_new(null.get()));
    GObjectPtr<GMimeFilter> checksum(g_mime_filter_checksum_new(G_CHECKSUM_SHA256));
    g_mime_stream_filter_add(GMIME_STREAM_FILTER(filtered.get()), checksum.get());
    if (!content(filtered.get()) || g_mime_stream_flush(filtered.get()) != 0) return std::nullopt;
    GCharPtr digest(g_mime_filter_checksum_get_string(GMIME_FILTER_CHECKSUM(checksum.get())));
    return WholePrint{GMIME_STREAM_NULL(null.get())->written, digest ? digest.get() : ""};
}

std::optional<HeadPrint> file_head(int fd, std::uint64_t size) {
    std::string head(static_cast<std::size_t>(std::min<std::uint64_t>(size, kHeadBytes)), '\0');
    if (read_fully(fd, head.data(), head.size()) != static_cast<ssize_t>(head.size())) return std::nullopt;
    return HeadPrint{size, head_hash(head)};
}

std::optional<WholePrint> file_print(int fd) {
    GChecksum* checksum = g_checksum_new(G_CHECKSUM_SHA256);
    std::vector<char> chunk(64 * 1024);
    WholePrint print;
    for (;;) {
        ssize_t n = read_fully(fd, chunk.data(), chunk.size());
        if (n < 0) {
            g_checksum_free(checksum);
            return std::nullopt;
        }
        g_checksum_update(checksum, reinterpret_cast<const guchar*>(chunk.data()), static_cast<gssize>(n));
        print.size += static_cast<std::uint64_t>(n);
        if (static_cast<std::size_t>(n) < chunk.size()) break;
    }
    print.sha256 = g_checksum_get_string(checksum);
    g_checksum_free(checksum);
    return print;
}

}  // namespace tv::mail
