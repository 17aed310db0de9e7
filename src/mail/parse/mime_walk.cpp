#include "mail/parse/mime_walk.h"

#include <string>
#include <string_view>

#include "common/sjis.h"
#include "mail/parse/mail_headers.h"

namespace tv::mail {

namespace {

// Deeper nesting than any mail client writes; what lies below it is left out.
constexpr int kMaxDepth = 64;

enum class Role { Plain, Html, File, Message };

struct Leaf {
    GMimeObject* object;
    Role role;
    bool named = false;  // a text part that gives a file name, saved as well as shown
};

// Text subtypes that are data for another program rather than text to read: kept as files.
constexpr std::string_view kDataTextSubtypes[] = {
    "calendar", "csv",   "tab-separated-values", "rtf", "richtext",  "enriched", "xml",
    "vcard",    "x-vcard", "directory",          "css", "javascript", "rfc822-headers",
};

Role text_role(GMimeContentType* type) {
    if (!type || g_ascii_strcasecmp(g_mime_content_type_get_media_type(type), "text") != 0) return Role::File;
    std::string subtype = lower_ascii(g_mime_content_type_get_media_subtype(type));
    if (subtype == "html") return Role::Html;
    for (std::string_view data : kDataTextSubtypes) {
        if (subtype == data) return Role::File;
    }
    return Role::Plain;
}

Leaf leaf_of(GMimeParserOptions* options, GMimePart* part) {
    GMimeObject* object = GMIME_OBJECT(part);
    GMimeContentDisposition* disposition = g_mime_object_get_content_disposition(object);
    if (disposition && g_mime_content_disposition_is_attachment(disposition)) return {object, Role::File};
    Role role = text_role(content_type_of(options, object).get());
    return {object, role, role != Role::File && !attachment_file_name(options, object).empty()};
}

bool is_alternative(GMimeObject* object) {
    GMimeContentType* type = g_mime_object_get_content_type(object);
    return type && g_mime_content_type_is_type(type, "multipart", "alternative");
}

bool holds(GMimeParserOptions* options, GMimeObject* object, Role role, int depth) {
    if (depth > kMaxDepth) return false;
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        for (int i = 0; i < g_mime_multipart_get_count(multipart); ++i) {
            if (holds(options, g_mime_multipart_get_part(multipart, i), role, depth + 1)) return true;
        }
        return false;
    }
    return GMIME_IS_PART(object) && leaf_of(options, GMIME_PART(object)).role == role;
}

GMimeObject* chosen_alternative(GMimeParserOptions* options, GMimeMultipart* multipart, int depth) {
    int count = g_mime_multipart_get_count(multipart);
    if (count == 0) return nullptr;
    for (Role role : {Role::Plain, Role::Html}) {
        for (int i = 0; i < count; ++i) {
            GMimeObject* child = g_mime_multipart_get_part(multipart, i);
            if (holds(options, child, role, depth + 1)) return child;
        }
    }
    return g_mime_multipart_get_part(multipart, count - 1);
}

void collect(GMimeParserOptions* options, GMimeObject* object, int depth, std::vector<Leaf>& leaves) {
    if (!object || depth > kMaxDepth) return;
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        if (is_alternative(object)) {
            collect(options, chosen_alternative(options, multipart, depth), depth + 1, leaves);
            return;
        }
        for (int i = 0; i < g_mime_multipart_get_count(multipart); ++i) {
            collect(options, g_mime_multipart_get_part(multipart, i), depth + 1, leaves);
        }
    } else if (GMIME_IS_MESSAGE_PART(object)) {
        leaves.push_back({object, Role::Message});
    } else if (GMIME_IS_PART(object)) {
        leaves.push_back(leaf_of(options, GMIME_PART(object)));
    }
}

}  // namespace

MailParts find_parts(GMimeParserOptions* options, GMimeObject* top) {
    std::vector<Leaf> leaves;
    collect(options, top, 0, leaves);
    bool any_plain = false;
    for (const Leaf& leaf : leaves) any_plain = any_plain || leaf.role == Role::Plain;
    MailParts parts;
    bool html_taken = false;
    for (const Leaf& leaf : leaves) {
        bool shown = leaf.role == Role::Plain || (leaf.role == Role::Html && !any_plain && !html_taken);
        if (shown) {
            html_taken = html_taken || leaf.role == Role::Html;
            parts.body.push_back(GMIME_PART(leaf.object));
        }
        if (leaf.role == Role::Message) parts.forwarded.push_back(GMIME_MESSAGE_PART(leaf.object));
        if (!shown || leaf.named) parts.attachments.push_back(leaf.object);
    }
    return parts;
}

}  // namespace tv::mail
