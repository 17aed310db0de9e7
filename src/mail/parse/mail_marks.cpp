#include "mail/parse/mail_marks.h"

#include <string_view>

#include "common/account_file.h"
#include "common/exchange_files.h"
#include "common/mail_origin.h"
#include "common/sjis.h"
#include "mail/parse/copied_headers.h"
#include "mail/parse/gobject_ptr.h"
#include "mail/parse/mail_headers.h"
#include "mail/parse/mail_reader.h"

namespace tv::mail {

namespace {

// Headers that only list servers write (RFC 2369, RFC 2919).
constexpr const char* kListHeaders[] = {"List-Id", "List-Post", "List-Unsubscribe"};
constexpr std::string_view kBulkPrecedences[] = {"bulk", "list", "junk"};
// Nesting searched for the returned message; bounces hold it one or two levels down.
constexpr int kMaxDepth = 16;

// The first word of a header value in lower case, blanks and comments before it skipped:
// "auto-replied" of " (by a robot) Auto-Replied; owner-email=...".
std::string first_word(std::string_view value) {
    std::size_t i = 0;
    for (int depth = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (depth == 0 && c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            break;
        }
    }
    std::size_t start = i;
    while (i < value.size() && (g_ascii_isalnum(value[i]) || value[i] == '-' || value[i] == '_')) ++i;
    return lower_ascii(value.substr(start, i - start));
}

bool is_report(GMimeMessage* message) {
    GMimeObject* top = g_mime_message_get_mime_part(message);
    GMimeContentType* type = top ? g_mime_object_get_content_type(top) : nullptr;
    return type && g_mime_content_type_is_type(type, "multipart", "report");
}

// RFC 3834: list headers, a bulk precedence, an Auto-Submitted other than "no", or a delivery report.
bool sent_by_list_or_machine(GMimeMessage* message) {
    GMimeObject* headers = GMIME_OBJECT(message);
    for (const char* name : kListHeaders) {
        if (raw_header(headers, name)) return true;
    }
    if (auto precedence = raw_header(headers, "Precedence")) {
        std::string word = first_word(*precedence);
        for (std::string_view bulk : kBulkPrecedences) {
            if (word == bulk) return true;
        }
    }
    if (auto submitted = raw_header(headers, "Auto-Submitted"); submitted && first_word(*submitted) != "no") return true;
    return is_report(message);
}

class ReturnedForwardSearch {
public:
    ReturnedForwardSearch(GMimeParserOptions* options, std::string own) : options_(options), own_(std::move(own)) {}

    bool in(GMimeObject* object, int depth) {
        if (!object || depth > kMaxDepth) return false;
        if (GMIME_IS_MESSAGE_PART(object)) {
            GMimeMessage* message = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
            return message && (is_forward(message) || in(g_mime_message_get_mime_part(message), depth + 1));
        }
        if (GMIME_IS_MULTIPART(object)) {
            GMimeMultipart* multipart = GMIME_MULTIPART(object);
            for (int i = 0; i < g_mime_multipart_get_count(multipart); ++i) {
                if (in(g_mime_multipart_get_part(multipart, i), depth + 1)) return true;
            }
            return false;
        }
        if (!GMIME_IS_PART(object)) return false;
        GMimeContentType* type = g_mime_object_get_content_type(object);
        if (!type || !g_mime_content_type_is_type(type, "text", "*")) return false;
        std::string text = decoded_content(GMIME_PART(object));
        // The returned headers alone, or a copy of the returned message in the bounce's words, quoted or not.
        if (g_mime_content_type_is_type(type, "text", "rfc822-headers")) return copy_is_forward(text);
        for (const std::string& headers : copied_header_blocks(text)) {
            if (copy_is_forward(headers)) return true;
        }
        return false;
    }

private:
    bool is_forward(GMimeMessage* message) const {
        return is_own_forward(subject_text(options_, message), sender_address(options_, message), own_);
    }

    bool copy_is_forward(std::string_view text) const {
        GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(text.data(), text.size()));
        GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
        GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), options_));
        return message && is_forward(message.get());
    }

    GMimeParserOptions* options_;
    std::string own_;
};

bool returns_own_forward(GMimeParserOptions* options, GMimeMessage* message) {
    if (!is_report(message) && !is_bounce_sender(sender_address(options, message))) return false;
    std::string own = read_account_file().sender_address();
    if (own.empty()) return false;
    return ReturnedForwardSearch(options, own).in(g_mime_message_get_mime_part(message), 0);
}

}  // namespace

std::vector<std::string> mail_marks(GMimeParserOptions* options, GMimeMessage* message) {
    std::vector<std::string> marks;
    if (sent_by_list_or_machine(message)) marks.emplace_back(exchange::kMarkAutomatic);
    if (returns_own_forward(options, message)) marks.emplace_back(exchange::kMarkReturnedForward);
    return marks;
}

}  // namespace tv::mail
