#include "mail/parse/content_match.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "mail/parse/gobject_ptr.h"

namespace tv::mail {

namespace {

// A stream that takes each write as the next bytes the file must hold: the first difference fails
// the write, which ends the writing at once.
struct MatchStream {
    GMimeStream parent;
    int fd;
    bool differs;
    std::vector<char>* chunk;
};

struct MatchStreamClass {
    GMimeStreamClass parent_class;
};

G_DEFINE_TYPE(MatchStream, match_stream, GMIME_TYPE_STREAM)

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

ssize_t match_stream_write(GMimeStream* stream, const char* buf, size_t len) {
    auto* self = reinterpret_cast<MatchStream*>(stream);
    if (self->differs) return -1;
    self->chunk->resize(len);
    if (read_fully(self->fd, self->chunk->data(), len) != static_cast<ssize_t>(len) ||
        std::memcmp(self->chunk->data(), buf, len) != 0) {
        self->differs = true;
        return -1;
    }
    stream->position += static_cast<gint64>(len);
    return static_cast<ssize_t>(len);
}

int match_stream_flush(GMimeStream*) { return 0; }

void match_stream_init(MatchStream* self) {
    self->fd = -1;
    self->differs = false;
    self->chunk = nullptr;
}

void match_stream_class_init(MatchStreamClass* klass) {
    klass->parent_class.write = match_stream_write;
    klass->parent_class.flush = match_stream_flush;
}

}  // namespace

std::optional<ContentPrint> content_print(const ContentWriter& content) {
    GObjectPtr<GMimeStream> null(g_mime_stream_null_new());
    GObjectPtr<GMimeStream> filtered(g_mime_stream_filter_new(null.get()));
    GObjectPtr<GMimeFilter> checksum(g_mime_filter_checksum_new(G_CHECKSUM_SHA256));
    g_mime_stream_filter_add(GMIME_STREAM_FILTER(filtered.get()), checksum.get());
    if (!content(filtered.get()) || g_mime_stream_flush(filtered.get()) != 0) return std::nullopt;
    GCharPtr digest(g_mime_filter_checksum_get_string(GMIME_FILTER_CHECKSUM(checksum.get())));
    return ContentPrint{GMIME_STREAM_NULL(null.get())->written, digest ? digest.get() : ""};
}

std::optional<ContentPrint> file_print(int fd) {
    GChecksum* checksum = g_checksum_new(G_CHECKSUM_SHA256);
    std::vector<char> chunk(64 * 1024);
    ContentPrint print;
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
    print.digest = g_checksum_get_string(checksum);
    g_checksum_free(checksum);
    return print;
}

bool file_holds(int fd, const ContentWriter& content) {
    std::vector<char> chunk;
    GObjectPtr<GMimeStream> stream(GMIME_STREAM(g_object_new(match_stream_get_type(), nullptr)));
    g_mime_stream_construct(stream.get(), 0, -1);
    auto* self = reinterpret_cast<MatchStream*>(stream.get());
    self->fd = fd;
    self->chunk = &chunk;
    if (!content(stream.get()) || self->differs) return false;
    char after;
    return read_fully(fd, &after, 1) == 0;  // nothing left over
}

}  // namespace tv::mail
