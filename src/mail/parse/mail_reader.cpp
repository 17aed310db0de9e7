#include "mail/parse/mail_reader.h"

#include <cstring>
#include <optional>

#include "mail/parse/attachment_names.h"
#include "mail/parse/charset.h"
#include "mail/parse/gobject_ptr.h"
#include "mail/parse/mail_date.h"
#include "mail/parse/mail_headers.h"
#include "mail/parse/mime_walk.h"

namespace tv::mail {

namespace {

// A mail saved from an mbox may begin with its "From " separator line, which is no header.
void skip_mbox_separator(GMimeStream* stream) {
    char head[1024];
    gint64 start = g_mime_stream_tell(stream);
    ssize_t n = g_mime_stream_read(stream, head, sizeof head);
    g_mime_stream_seek(stream, start, GMIME_STREAM_SEEK_SET);
    if (n < 5 || std::memcmp(head, "From ", 5) != 0) return;
    auto* lf = static_cast<char*>(std::memchr(head, '\n', static_cast<std::size_t>(n)));
    if (!lf) return;
    g_mime_stream_seek(stream, start + (lf - head) + 1, GMIME_STREAM_SEEK_SET);
}

std::string decoded_content(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (!content) return {};
    GObjectPtr<GMimeStream> memory(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(content, memory.get()) < 0) return {};
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

std::string body_text(const std::vector<GMimePart*>& parts) {
    std::string body;
    for (GMimePart* part : parts) {
        const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
        std::string text = utf8_to_cp932(decode_to_utf8(decoded_content(part), charset ? charset : ""));
        if (!body.empty() && body.back() != '\n' && body.back() != '\r') body += "\r\n";
        body += text;
    }
    return body;
}

std::string mime_type_of(GMimeObject* object) {
    GMimeContentType* type = g_mime_object_get_content_type(object);
    if (!type) return {};
    GCharPtr name(g_mime_content_type_get_mime_type(type));
    return name ? name.get() : "";
}

// The name a part is saved under: its own, or a forwarded message's subject with ".eml".
std::string wanted_name(GMimeObject* object) {
    std::string name = attachment_file_name(parser_options(), object);
    if (name.empty() && GMIME_IS_MESSAGE_PART(object)) {
        GMimeMessage* message = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
        std::string subject = message ? subject_utf8(parser_options(), message) : std::string();
        // A "/" in a subject is no folder separator: it must not cut the subject short.
        for (char& c : subject) {
            if (c == '/' || c == '\\') c = '_';
        }
        if (!subject.empty()) name = subject + ".eml";
    }
    return clean_attachment_name(name, mime_type_of(object));
}

bool write_part(GMimeObject* object, int fd) {
    GObjectPtr<GMimeStream> out(g_mime_stream_fs_new(fd));
    g_mime_stream_fs_set_owner(GMIME_STREAM_FS(out.get()), FALSE);
    gint64 written = 0;
    if (GMIME_IS_MESSAGE_PART(object)) {
        GMimeMessage* message = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
        if (message) written = g_mime_object_write_to_stream(GMIME_OBJECT(message), nullptr, out.get());
    } else {
        GMimeDataWrapper* content = g_mime_part_get_content(GMIME_PART(object));
        if (content) written = g_mime_data_wrapper_write_to_stream(content, out.get());
    }
    return written >= 0 && g_mime_stream_flush(out.get()) == 0;
}

}  // namespace

GMimeParserOptions* parser_options() {
    static GMimeParserOptions* options = [] {
        g_mime_init();
        GMimeParserOptions* made = g_mime_parser_options_new();
        static const char* fallback[] = {"UTF-8", "EUC-JP-MS", "CP932", nullptr};
        g_mime_parser_options_set_fallback_charsets(made, fallback);
        return made;
    }();
    return options;
}

ParsedMail read_mail(GMimeStream* stream, const std::string& receipt_date, AttachmentFolder& folder) {
    GMimeParserOptions* options = parser_options();
    skip_mbox_separator(stream);
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream));
    GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), options));
    if (!message) return unreadable_mail(receipt_date);

    ParsedMail mail;
    mail.date = local_date_text(g_mime_message_get_date(message.get())).value_or(receipt_date);
    mail.sender = sender_text(options, message.get());
    mail.recipients = recipients_text(options, message.get());
    mail.subject = subject_text(options, message.get());
    MailParts parts = find_parts(g_mime_message_get_mime_part(message.get()));
    mail.body = body_text(parts.body);
    for (GMimeObject* attachment : parts.attachments) {
        if (mail.attachments.size() >= kMaxAttachments) break;
        auto saved = folder.save(wanted_name(attachment), [attachment](int fd) { return write_part(attachment, fd); });
        if (saved) mail.attachments.push_back(std::move(*saved));
    }
    return mail;
}

}  // namespace tv::mail
