#include "mail/parse/mail_reader.h"

#include <cstring>
#include <optional>

#include "common/exchange_files.h"
#include "mail/parse/attachment_names.h"
#include "mail/parse/charset.h"
#include "mail/parse/gobject_ptr.h"
#include "mail/parse/header_block.h"
#include "mail/parse/mail_date.h"
#include "mail/parse/mail_headers.h"
#include "mail/parse/mail_marks.h"
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

// How deep forwarded messages inside forwarded messages are shown.
constexpr int kMaxForwardDepth = 16;

constexpr const char* kForwardedSeparator = "-------- Original Message --------";

std::string part_text(GMimeParserOptions* options, GMimePart* part) {
    GObjectPtr<GMimeContentType> type = content_type_of(options, GMIME_OBJECT(part));
    const char* charset = type ? g_mime_content_type_get_parameter(type.get(), "charset") : nullptr;
    return utf8_to_cp932(decode_to_utf8(decoded_content(part), charset ? charset : ""));
}

// Adds a block of text to the body, a blank line after what is there.
void add_block(std::string& body, const std::string& text) {
    if (text.empty()) return;
    if (!body.empty()) {
        if (body.back() != '\n' && body.back() != '\r') body += "\r\n";
        body += "\r\n";
    }
    body += text;
}

std::string forwarded_heading(GMimeParserOptions* options, GMimeMessage* message) {
    std::string heading = std::string(kForwardedSeparator) + "\r\n";
    std::string sender = sender_text(options, message);
    if (!sender.empty()) heading += "From: " + sender + "\r\n";
    if (auto date = local_date_text(g_mime_message_get_date(message))) heading += "Date: " + *date + "\r\n";
    std::string subject = subject_text(options, message);
    if (!subject.empty()) heading += "Subject: " + subject + "\r\n";
    return heading + "\r\n";
}

// The text parts in order, then each forwarded message under its heading, read the same way.
std::string body_text(GMimeParserOptions* options, const MailParts& parts, int depth) {
    std::string body;
    for (GMimePart* part : parts.body) add_block(body, part_text(options, part));
    if (depth >= kMaxForwardDepth) return body;
    for (GMimeMessagePart* forwarded : parts.forwarded) {
        GMimeMessage* message = g_mime_message_part_get_message(forwarded);
        if (!message) continue;
        MailParts inner = find_parts(options, g_mime_message_get_mime_part(message));
        add_block(body, forwarded_heading(options, message) + body_text(options, inner, depth + 1));
    }
    return body;
}

std::string mime_type_of(GMimeObject* object) {
    GObjectPtr<GMimeContentType> type = content_type_of(parser_options(), object);
    if (!type) return {};
    GCharPtr name(g_mime_content_type_get_mime_type(type.get()));
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

bool write_part(GMimeObject* object, GMimeStream* out) {
    gint64 written = 0;
    if (GMIME_IS_MESSAGE_PART(object)) {
        GMimeMessage* message = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
        if (message) written = g_mime_object_write_to_stream(GMIME_OBJECT(message), nullptr, out);
    } else {
        GMimeDataWrapper* content = g_mime_part_get_content(GMIME_PART(object));
        if (content) written = g_mime_data_wrapper_write_to_stream(content, out);
    }
    return written >= 0;
}

}  // namespace

std::string decoded_content(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (!content) return {};
    GObjectPtr<GMimeStream> memory(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(content, memory.get()) < 0) return {};
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

GMimeParserOptions* parser_options() {
    static GMimeParserOptions* options = [] {
        g_mime_init();
        GMimeParserOptions* made = g_mime_parser_options_new();
        // Only UTF-8: raw 8-bit header text and words in unknown charsets reach GMime already read
        // into UTF-8 by the rule for text without a label (prepare_raw_header). Any other charset
        // here could only ever read such text otherwise than that rule does.
        static const char* fallback[] = {"UTF-8", nullptr};
        g_mime_parser_options_set_fallback_charsets(made, fallback);
        return made;
    }();
    return options;
}

ParsedMail read_mail(GMimeStream* stream, const std::string& receipt_date, AttachmentFolder& folder) {
    GMimeParserOptions* options = parser_options();
    skip_mbox_separator(stream);
    GObjectPtr<GMimeStream> mail_stream = with_header_end(stream);
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(mail_stream.get()));
    GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), options));
    if (!message) return unreadable_mail(receipt_date);

    ParsedMail mail;
    mail.date = local_date_text(g_mime_message_get_date(message.get())).value_or(receipt_date);
    mail.sender = sender_text(options, message.get());
    mail.recipients = recipients_text(options, message.get());
    mail.subject = subject_text(options, message.get());
    mail.marks = mail_marks(options, message.get());
    MailParts parts = find_parts(options, g_mime_message_get_mime_part(message.get()));
    mail.body = body_text(options, parts, 0);
    for (GMimeObject* attachment : parts.attachments) {
        if (mail.attachments.size() >= kMaxAttachments) break;
        auto saved = folder.save(wanted_name(attachment), [attachment](GMimeStream* out) { return write_part(attachment, out); });
        if (saved) mail.attachments.push_back(std::move(*saved));
    }
    // An attachment without its file has no line in the result: the marks tell the program that
    // the mail has one all the same, and why it is missing.
    if (folder.trouble().unsaved) mail.marks.emplace_back(exchange::kMarkAttachmentNotSaved);
    if (folder.trouble().disk_full) mail.marks.emplace_back(exchange::kMarkDiskFull);
    return mail;
}

}  // namespace tv::mail
