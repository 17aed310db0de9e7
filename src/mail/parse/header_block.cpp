#include "mail/parse/header_block.h"

#include <string>
#include <string_view>

namespace tv::mail {

namespace {

// A header block this long without its end is left to GMime as it stands.
constexpr std::size_t kMaxHeaderScan = 1 << 20;
constexpr std::size_t kChunk = 64 * 1024;

// "Name:" or "Name :", the name of printable ASCII without a colon.
bool is_field(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] > ' ' && line[i] < 0x7F && line[i] != ':') ++i;
    if (i == 0) return false;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return i < line.size() && line[i] == ':';
}

enum class Line { Field, Continuation, End, Body };

Line kind_of(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) return Line::End;
    if (line.front() == ' ' || line.front() == '\t') return Line::Continuation;
    return is_field(line) ? Line::Field : Line::Body;
}

GObjectPtr<GMimeStream> same(GMimeStream* stream) {
    g_object_ref(stream);
    return GObjectPtr<GMimeStream>(stream);
}

// Where the first body line of the header block begins (an offset from the start), and the line
// end to put before it; npos when the block ends as it should or cannot be told.
std::size_t missing_end(GMimeStream* stream, std::string& line_end) {
    std::string head;
    std::size_t at = 0;  // start of the line being looked at
    bool fields = false;
    bool eof = false;
    while (!eof) {
        if (head.size() >= kMaxHeaderScan) return std::string::npos;
        std::size_t old = head.size();
        head.resize(old + kChunk);
        ssize_t n = g_mime_stream_read(stream, head.data() + old, kChunk);
        head.resize(old + (n > 0 ? static_cast<std::size_t>(n) : 0));
        eof = n <= 0;
        for (;;) {
            std::size_t lf = head.find('\n', at);
            if (lf == std::string::npos && !eof) break;
            if (at >= head.size()) return std::string::npos;
            std::string_view line(head.data() + at, (lf == std::string::npos ? head.size() : lf) - at);
            Line kind = kind_of(line);
            if (kind == Line::End) return std::string::npos;
            if (kind == Line::Body) {
                if (!fields) return std::string::npos;  // no header at all: not a mail to repair
                line_end = at >= 2 && head[at - 2] == '\r' ? "\r\n" : "\n";
                return at;
            }
            fields = fields || kind == Line::Field;
            if (lf == std::string::npos) return std::string::npos;
            at = lf + 1;
        }
    }
    return std::string::npos;
}

}  // namespace

GObjectPtr<GMimeStream> with_header_end(GMimeStream* stream) {
    gint64 start = g_mime_stream_tell(stream);
    std::string line_end;
    std::size_t body = missing_end(stream, line_end);
    g_mime_stream_seek(stream, start, GMIME_STREAM_SEEK_SET);
    if (body == std::string::npos || start < 0) return same(stream);
    gint64 split = start + static_cast<gint64>(body);
    GObjectPtr<GMimeStream> headers(g_mime_stream_substream(stream, start, split));
    GObjectPtr<GMimeStream> blank(g_mime_stream_mem_new_with_buffer(line_end.data(), line_end.size()));
    GObjectPtr<GMimeStream> rest(g_mime_stream_substream(stream, split, -1));
    GObjectPtr<GMimeStream> joined(g_mime_stream_cat_new());
    for (GMimeStream* piece : {headers.get(), blank.get(), rest.get()}) {
        g_mime_stream_cat_add_source(GMIME_STREAM_CAT(joined.get()), piece);
    }
    return joined;
}

}  // namespace tv::mail
