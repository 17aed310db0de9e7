#include "parsed_message.h"

#include <gmime/gmime.h>

#include <stdexcept>

namespace tv::test {

namespace {

// The header's value as it stands in the message.
std::string header(GMimeObject* object, const char* name) {
    GMimeHeader* found = g_mime_header_list_get_header(g_mime_object_get_header_list(object), name);
    const char* value = found ? g_mime_header_get_raw_value(found) : nullptr;
    std::string text = value ? value : "";
    std::size_t first = text.find_first_not_of(" \t\r\n");
    std::size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string decoded_content(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    GMimeStream* out = g_mime_stream_mem_new();
    g_mime_data_wrapper_write_to_stream(content, out);
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out));
    std::string data(reinterpret_cast<const char*>(bytes->data), bytes->len);
    g_object_unref(out);
    return data;
}

std::string address_list(InternetAddressList* list) {
    if (!list) return "";
    char* text = internet_address_list_to_string(list, nullptr, FALSE);
    std::string out = text ? text : "";
    g_free(text);
    return out;
}

}  // namespace

ParsedMessage parse_message(const std::string& bytes) {
    static const bool ready = [] {
        g_mime_init();
        return true;
    }();
    (void)ready;
    GMimeStream* stream = g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size());
    GMimeParser* parser = g_mime_parser_new_with_stream(stream);
    GMimeMessage* message = g_mime_parser_construct_message(parser, nullptr);
    g_object_unref(parser);
    g_object_unref(stream);
    if (!message) throw std::runtime_error("not a message");

    ParsedMessage parsed;
    GMimeObject* top = GMIME_OBJECT(message);
    const char* subject = g_mime_message_get_subject(message);
    parsed.subject = subject ? subject : "";
    parsed.raw_subject = header(top, "Subject");
    parsed.raw_from = header(top, "From");
    parsed.raw_to = header(top, "To");
    parsed.from = address_list(g_mime_message_get_from(message));
    parsed.to = address_list(g_mime_message_get_to(message));
    parsed.date = header(top, "Date");
    parsed.message_id = header(top, "Message-ID");
    parsed.mime_version = header(top, "MIME-Version");

    GMimePartIter* iter = g_mime_part_iter_new(g_mime_message_get_mime_part(message));
    GMimeObject* body = g_mime_message_get_mime_part(message);
    std::vector<GMimeObject*> parts;
    if (GMIME_IS_MULTIPART(body)) {
        do {
            parts.push_back(g_mime_part_iter_get_current(iter));
        } while (g_mime_part_iter_next(iter));
    } else {
        parts.push_back(body);
    }
    g_mime_part_iter_free(iter);
    for (GMimeObject* object : parts) {
        if (!GMIME_IS_PART(object)) continue;
        GMimePart* part = GMIME_PART(object);
        const char* filename = g_mime_part_get_filename(part);
        if (filename) {
            parsed.attachments.push_back({filename, decoded_content(part), header(object, "Content-Type"),
                                          header(object, "Content-Disposition")});
        } else if (GMIME_IS_TEXT_PART(object) && parsed.body_charset.empty()) {
            const char* charset = g_mime_object_get_content_type_parameter(object, "charset");
            parsed.body_charset = charset ? charset : "";
            parsed.body_encoding = g_mime_content_encoding_to_string(g_mime_part_get_content_encoding(part));
            char* text = g_mime_text_part_get_text(GMIME_TEXT_PART(object));
            parsed.body = text ? text : "";
            g_free(text);
        }
    }
    g_object_unref(message);
    return parsed;
}

std::string decode_header_text(const std::string& raw) {
    char* text = g_mime_utils_header_decode_text(nullptr, raw.c_str());
    std::string out = text ? text : "";
    g_free(text);
    return out;
}

}  // namespace tv::test
