#include "mail/transfer/message_builder.h"

#include <gio/gio.h>
#include <gmime/gmime.h>

#include <algorithm>

#include "mail/transfer/mime_charset.h"

namespace tv::mail {

namespace {

constexpr std::size_t kLongest7BitLine = 998;

void init_gmime() {
    static const bool done = [] {
        g_mime_init();
        return true;
    }();
    (void)done;
}

// Drops the GObject reference when it goes out of scope.
template <typename T>
struct Ref {
    T* object;
    explicit Ref(T* o) : object(o) {}
    ~Ref() {
        if (object) g_object_unref(object);
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T* get() const { return object; }
};

const char* header_charset(const CharsetChoice& choice) {
    return choice.charset == "us-ascii" ? nullptr : choice.charset.c_str();
}

InternetAddress* make_address(const Mailbox& mailbox) {
    CharsetChoice name = choose_charset(mailbox.name);
    InternetAddress* address = internet_address_mailbox_new(name.utf8.c_str(), mailbox.address.c_str());
    if (const char* charset = header_charset(name)) internet_address_set_charset(address, charset);
    return address;
}

std::size_t longest_line(const std::string& text) {
    std::size_t longest = 0, current = 0;
    for (char c : text) {
        if (c == '\n') {
            longest = std::max(longest, current);
            current = 0;
        } else if (c != '\r') {
            ++current;
        }
    }
    return std::max(longest, current);
}

void set_content(GMimePart* part, const std::string& bytes, GMimeContentEncoding encoding) {
    Ref<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    Ref<GMimeDataWrapper> wrapper(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part, wrapper.get());
    g_mime_part_set_content_encoding(part, encoding);
}

GMimeObject* make_body(const std::vector<std::string>& lines) {
    std::string cp932;
    for (const auto& line : lines) cp932 += line + "\r\n";
    CharsetChoice text = choose_charset(cp932);
    GMimeTextPart* part = g_mime_text_part_new_with_subtype("plain");
    g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "charset", text.charset.c_str());
    bool seven_bit = text.charset != "utf-8" && longest_line(text.encoded) <= kLongest7BitLine;
    set_content(GMIME_PART(part), text.encoded,
                seven_bit ? GMIME_CONTENT_ENCODING_7BIT : GMIME_CONTENT_ENCODING_BASE64);
    return GMIME_OBJECT(part);
}

GMimeObject* make_attachment(const Attachment& attachment) {
    std::string name = choose_charset(attachment.name).utf8;
    std::string mime_type = "application/octet-stream";
    gchar* guessed = g_content_type_guess(name.c_str(), reinterpret_cast<const guchar*>(attachment.data.data()),
                                          attachment.data.size(), nullptr);
    if (guessed) {
        if (gchar* type = g_content_type_get_mime_type(guessed)) {
            if (std::string(type).find('/') != std::string::npos) mime_type = type;
            g_free(type);
        }
        g_free(guessed);
    }
    std::size_t slash = mime_type.find('/');
    GMimePart* part = g_mime_part_new_with_type(mime_type.substr(0, slash).c_str(), mime_type.substr(slash + 1).c_str());
    g_mime_object_set_disposition(GMIME_OBJECT(part), GMIME_DISPOSITION_ATTACHMENT);
    g_mime_part_set_filename(part, name.c_str());
    set_content(part, attachment.data, GMIME_CONTENT_ENCODING_BASE64);
    return GMIME_OBJECT(part);
}

}  // namespace

std::string build_message(const OutgoingMail& mail) {
    init_gmime();
    Ref<GMimeMessage> message(g_mime_message_new(TRUE));

    InternetAddress* from = make_address(mail.from);
    internet_address_list_add(g_mime_message_get_from(message.get()), from);
    g_object_unref(from);
    InternetAddressList* to = g_mime_message_get_addresses(message.get(), GMIME_ADDRESS_TYPE_TO);
    for (const auto& recipient : mail.to) {
        InternetAddress* address = make_address(recipient);
        internet_address_list_add(to, address);
        g_object_unref(address);
    }
    CharsetChoice subject = choose_charset(mail.subject);
    g_mime_message_set_subject(message.get(), subject.utf8.c_str(), header_charset(subject));
    GDateTime* date = g_date_time_new_from_unix_local(mail.date);
    g_mime_message_set_date(message.get(), date);
    g_date_time_unref(date);
    gchar* id = g_mime_utils_generate_message_id(mail.id_domain.c_str());
    g_mime_message_set_message_id(message.get(), id);
    g_free(id);

    GMimeObject* body = make_body(mail.body);
    if (mail.attachments.empty()) {
        g_mime_message_set_mime_part(message.get(), body);
    } else {
        GMimeMultipart* mixed = g_mime_multipart_new_with_subtype("mixed");
        g_mime_multipart_add(mixed, body);
        for (const auto& attachment : mail.attachments) {
            GMimeObject* part = make_attachment(attachment);
            g_mime_multipart_add(mixed, part);
            g_object_unref(part);
        }
        g_mime_message_set_mime_part(message.get(), GMIME_OBJECT(mixed));
        g_object_unref(mixed);
    }
    g_object_unref(body);

    GMimeFormatOptions* options = g_mime_format_options_clone(nullptr);
    g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_DOS);
    Ref<GMimeStream> out(g_mime_stream_mem_new());
    g_mime_object_write_to_stream(GMIME_OBJECT(message.get()), options, out.get());
    g_mime_format_options_free(options);
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.get()));
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

}  // namespace tv::mail
