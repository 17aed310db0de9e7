#include "mail/parse/mime_walk.h"

namespace tv::mail {

namespace {

// Deeper nesting than any mail client writes; what lies below it is left out.
constexpr int kMaxDepth = 64;

enum class Role { Plain, Html, Attachment };

struct Leaf {
    GMimeObject* object;
    Role role;
};

Role role_of(GMimePart* part) {
    GMimeContentDisposition* disposition = g_mime_object_get_content_disposition(GMIME_OBJECT(part));
    if (disposition && g_mime_content_disposition_is_attachment(disposition)) return Role::Attachment;
    if (g_mime_part_get_filename(part)) return Role::Attachment;
    GMimeContentType* type = g_mime_object_get_content_type(GMIME_OBJECT(part));
    if (!type || g_mime_content_type_is_type(type, "text", "plain")) return Role::Plain;
    if (g_mime_content_type_is_type(type, "text", "html")) return Role::Html;
    return Role::Attachment;
}

bool is_alternative(GMimeObject* object) {
    GMimeContentType* type = g_mime_object_get_content_type(object);
    return type && g_mime_content_type_is_type(type, "multipart", "alternative");
}

bool holds(GMimeObject* object, Role role, int depth) {
    if (depth > kMaxDepth) return false;
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        for (int i = 0; i < g_mime_multipart_get_count(multipart); ++i) {
            if (holds(g_mime_multipart_get_part(multipart, i), role, depth + 1)) return true;
        }
        return false;
    }
    return GMIME_IS_PART(object) && role_of(GMIME_PART(object)) == role;
}

GMimeObject* chosen_alternative(GMimeMultipart* multipart, int depth) {
    int count = g_mime_multipart_get_count(multipart);
    if (count == 0) return nullptr;
    for (Role role : {Role::Plain, Role::Html}) {
        for (int i = 0; i < count; ++i) {
            GMimeObject* child = g_mime_multipart_get_part(multipart, i);
            if (holds(child, role, depth + 1)) return child;
        }
    }
    return g_mime_multipart_get_part(multipart, count - 1);
}

void collect(GMimeObject* object, int depth, std::vector<Leaf>& leaves) {
    if (!object || depth > kMaxDepth) return;
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        if (is_alternative(object)) {
            collect(chosen_alternative(multipart, depth), depth + 1, leaves);
            return;
        }
        for (int i = 0; i < g_mime_multipart_get_count(multipart); ++i) {
            collect(g_mime_multipart_get_part(multipart, i), depth + 1, leaves);
        }
    } else if (GMIME_IS_MESSAGE_PART(object)) {
        leaves.push_back({object, Role::Attachment});
    } else if (GMIME_IS_PART(object)) {
        leaves.push_back({object, role_of(GMIME_PART(object))});
    }
}

}  // namespace

MailParts find_parts(GMimeObject* top) {
    std::vector<Leaf> leaves;
    collect(top, 0, leaves);
    bool any_plain = false;
    for (const Leaf& leaf : leaves) any_plain = any_plain || leaf.role == Role::Plain;
    MailParts parts;
    bool html_taken = false;
    for (const Leaf& leaf : leaves) {
        if (leaf.role == Role::Plain || (leaf.role == Role::Html && !any_plain && !html_taken)) {
            html_taken = html_taken || leaf.role == Role::Html;
            parts.body.push_back(GMIME_PART(leaf.object));
        } else {
            parts.attachments.push_back(leaf.object);
        }
    }
    return parts;
}

}  // namespace tv::mail
