#include "mail/transfer/message_builder.h"

#include <gio/gio.h>
#include <gmime/gmime.h>

#include <algorithm>

#include "mail/transfer/header_words.h"
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

bool is_jis(const CharsetChoice& choice) { return choice.charset == "iso-2022-jp"; }

// Replaces the value GMime formatted for a header with `value` (GMime's raw form: LF line ends).
void set_raw(GMimeObject* object, const char* name, const std::string& value) {
    GMimeHeader* header = g_mime_header_list_get_header(g_mime_object_get_header_list(object), name);
    if (header) g_mime_header_set_raw_value(header, (" " + value + "\n").c_str());
}

// Adds a parameter right after the type or disposition of a header GMime formatted.
void add_raw_parameter(GMimeObject* object, const char* name, const std::string& parameter) {
    GMimeHeader* header = g_mime_header_list_get_header(g_mime_object_get_header_list(object), name);
    const char* raw = header ? g_mime_header_get_raw_value(header) : nullptr;
    if (!raw) return;
    std::string value(raw);
    std::size_t semicolon = value.find(';');
    std::size_t at = semicolon == std::string::npos ? value.find_last_not_of("\n") + 1 : semicolon;
    value.insert(at, ";\n\t" + parameter);
    g_mime_header_set_raw_value(header, value.c_str());
}

// A mailbox as header text; a display name that ISO-2022-JP holds in B-encoded words.
std::string address_text(const Mailbox& mailbox, InternetAddress* address) {
    CharsetChoice name = choose_charset(mailbox.name);
    if (is_jis(name)) return folded_words(encoded_words(name.utf8, "ISO-2022-JP")) + "\n <" + mailbox.address + ">";
    gchar* text = internet_address_to_string(address, nullptr, TRUE);
    std::string value = text ? text : mailbox.address;
    g_free(text);
    return value;
}

// From and To written again where a display name goes out in ISO-2022-JP.
void write_jis_addresses(GMimeMessage* message, const char* header, InternetAddressList* list,
                         const std::vector<Mailbox>& mailboxes) {
    bool any = false;
    for (const auto& mailbox : mailboxes) any = any || is_jis(choose_charset(mailbox.name));
    if (!any) return;
    std::string value;
    for (std::size_t i = 0; i < mailboxes.size(); ++i) {
        if (i > 0) value += ",\n ";
        value += address_text(mailboxes[i], internet_address_list_get_address(list, static_cast<int>(i)));
    }
    set_raw(GMIME_OBJECT(message), header, value);
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
    // GMime gives the name in RFC 2231 form; Japanese programs read the RFC 2047 form beside it.
    CharsetChoice choice = choose_charset(attachment.name);
    if (choice.charset != "us-ascii") {
        std::string words = folded_words(encoded_words(choice.utf8, is_jis(choice) ? "ISO-2022-JP" : "UTF-8"), "\n\t");
        add_raw_parameter(GMIME_OBJECT(part), "Content-Type", "name=\"" + words + "\"");
        add_raw_parameter(GMIME_OBJECT(part), "Content-Disposition", "filename=\"" + words + "\"");
    }
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
    write_jis_addresses(message.get(), "From", g_mime_message_get_from(message.get()), {mail.from});
    write_jis_addresses(message.get(), "To", to, mail.to);
    CharsetChoice subject = choose_charset(mail.subject);
    g_mime_message_set_subject(message.get(), subject.utf8.c_str(), header_charset(subject));
    if (header_charset(subject)) {
        // Short words, the first on the Subject line itself: a reader or relay that refolds a
        // longer line would move it to a line of its own.
        constexpr std::size_t kRoom = kMaxHeaderLine - std::string_view("Subject: ").size();
        set_raw(GMIME_OBJECT(message.get()), "Subject",
                folded_words(encoded_words(subject.utf8, is_jis(subject) ? "ISO-2022-JP" : "UTF-8", kRoom)));
    }
    // RFC 3834: an automatic reply says so, so that no other responder answers it.
    if (mail.automatic_reply) g_mime_object_set_header(GMIME_OBJECT(message.get()), "Auto-Submitted", "auto-replied", nullptr);
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
