#include "mail/parse/mail_headers.h"

#include "common/sjis.h"
#include "mail/parse/gobject_ptr.h"
#include "mail/parse/header_text.h"

namespace tv::mail {

namespace {

constexpr std::size_t kMaxSenderPart = 2000;

std::string decoded_text(GMimeParserOptions* options, const std::string& prepared) {
    GCharPtr text(g_mime_utils_header_decode_text(options, prepared.c_str()));
    return one_line(text ? text.get() : prepared.c_str());
}

// The first mailbox of a list, looking into groups.
InternetAddressMailbox* first_mailbox(InternetAddressList* list, int depth = 0) {
    if (!list || depth > 8) return nullptr;
    for (int i = 0; i < internet_address_list_length(list); ++i) {
        InternetAddress* address = internet_address_list_get_address(list, i);
        if (INTERNET_ADDRESS_IS_MAILBOX(address)) return INTERNET_ADDRESS_MAILBOX(address);
        if (INTERNET_ADDRESS_IS_GROUP(address)) {
            InternetAddressMailbox* member =
                first_mailbox(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(address)), depth + 1);
            if (member) return member;
        }
    }
    return nullptr;
}

GObjectPtr<InternetAddressList> parse_addresses(GMimeParserOptions* options, const std::string& prepared) {
    return GObjectPtr<InternetAddressList>(internet_address_list_parse(options, prepared.c_str()));
}

std::optional<std::string> prepared_header(GMimeObject* object, const char* name) {
    auto raw = raw_header(object, name);
    if (!raw) return std::nullopt;
    return prepare_raw_header(*raw);
}

// The sender line's value. Readers take the address after the last "<" up to the last byte, so
// a "<" is only ever followed by the address and the closing ">". A sender that gave empty angle
// brackets keeps them after its name: the name is no address to answer.
std::string sender_line(const std::string& whole_name, const std::string& address, bool bracketed = false) {
    // Each part is cut well short of a line's limit, so the closing ">" always stays.
    std::string name = left_whole_chars(whole_name, kMaxSenderPart);
    std::string bare;
    for (char c : address) {
        if (c != '<' && c != '>') bare.push_back(c);
    }
    bare = trim(left_whole_chars(bare, kMaxSenderPart));
    if (bare.empty()) {
        using namespace tv::literals;
        std::string shown;
        for (char c : name) shown += c == '<' ? "＜"_sj : c == '>' ? "＞"_sj : std::string(1, c);
        return bracketed && !shown.empty() ? shown + " <>" : shown;
    }
    return name.empty() ? bare : name + " <" + bare + ">";
}

// A From value GMime could not take apart: the text before the last "<" as the name, what follows
// it up to a ">" as the address.
std::string broken_sender(const std::string& text) {
    std::size_t open = find_last_char(text, '<');
    if (open == std::string::npos) return sender_line(text, {});
    std::string address = text.substr(open + 1);
    std::size_t close = find_first_char(address, '>');
    if (close != std::string::npos) address.erase(close);
    std::string name = trim(text.substr(0, open));
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = trim(name.substr(1, name.size() - 2));
    return sender_line(name, address, true);
}

// The value of the parameter `name`, or empty.
std::string named(GMimeParamList* parameters, const char* name) {
    GMimeParam* param = parameters ? g_mime_param_list_get_parameter(parameters, name) : nullptr;
    return param ? parameter_text(param) : std::string();
}

}  // namespace

std::optional<std::string> raw_header(GMimeObject* object, const char* name) {
    GMimeHeaderList* headers = g_mime_object_get_header_list(object);
    GMimeHeader* header = headers ? g_mime_header_list_get_header(headers, name) : nullptr;
    if (!header) return std::nullopt;
    const char* raw = g_mime_header_get_raw_value(header);
    return std::string(raw ? raw : "");
}

std::string sender_text(GMimeParserOptions* options, GMimeMessage* message) {
    auto prepared = prepared_header(GMIME_OBJECT(message), "From");
    if (!prepared) return {};
    auto list = parse_addresses(options, *prepared);
    InternetAddressMailbox* mailbox = first_mailbox(list.get());
    if (!mailbox) return broken_sender(decoded_text(options, *prepared));
    const char* name = internet_address_get_name(INTERNET_ADDRESS(mailbox));
    const char* address = internet_address_mailbox_get_addr(mailbox);
    if (!address || !*address) return broken_sender(decoded_text(options, *prepared));
    return sender_line(one_line(name ? name : ""), one_line(address));
}

std::string sender_address(GMimeParserOptions* options, GMimeMessage* message) {
    auto prepared = prepared_header(GMIME_OBJECT(message), "From");
    if (!prepared) return {};
    auto list = parse_addresses(options, *prepared);
    InternetAddressMailbox* mailbox = first_mailbox(list.get());
    const char* address = mailbox ? internet_address_mailbox_get_addr(mailbox) : nullptr;
    return address ? one_line(address) : std::string();
}

std::string recipients_text(GMimeParserOptions* options, GMimeMessage* message) {
    auto prepared = prepared_header(GMIME_OBJECT(message), "To");
    if (!prepared) return {};
    auto list = parse_addresses(options, *prepared);
    if (!list || internet_address_list_length(list.get()) == 0) return decoded_text(options, *prepared);
    GCharPtr text(internet_address_list_to_string(list.get(), nullptr, FALSE));
    return one_line(text ? text.get() : "");
}

std::string subject_text(GMimeParserOptions* options, GMimeMessage* message) {
    auto prepared = prepared_header(GMIME_OBJECT(message), "Subject");
    return prepared ? decoded_text(options, *prepared) : std::string();
}

std::string subject_utf8(GMimeParserOptions* options, GMimeMessage* message) {
    auto prepared = prepared_header(GMIME_OBJECT(message), "Subject");
    if (!prepared) return {};
    GCharPtr text(g_mime_utils_header_decode_text(options, prepared->c_str()));
    return text ? text.get() : *prepared;
}

GObjectPtr<GMimeContentType> content_type_of(GMimeParserOptions* options, GMimeObject* part) {
    GMimeContentType* own = g_mime_object_get_content_type(part);
    bool text = own && g_ascii_strcasecmp(g_mime_content_type_get_media_type(own), "text") == 0;
    if (auto raw = raw_header(part, "Content-Type"); raw && !text) {
        std::string prepared = prepare_raw_parameters(*raw);
        std::size_t end = prepared.find(';');
        std::string type;
        for (char c : prepared.substr(0, end)) {
            if (c != ' ' && c != '\t') type.push_back(c);
        }
        if (g_ascii_strcasecmp(type.c_str(), "text") == 0 || g_ascii_strcasecmp(type.c_str(), "text/") == 0) {
            std::string repaired = "text/plain" + (end == std::string::npos ? std::string() : prepared.substr(end));
            GObjectPtr<GMimeContentType> plain(g_mime_content_type_parse(options, repaired.c_str()));
            if (plain) return plain;
        }
    }
    if (own) g_object_ref(own);
    return GObjectPtr<GMimeContentType>(own);
}

std::string attachment_file_name(GMimeParserOptions* options, GMimeObject* part) {
    if (auto raw = raw_header(part, "Content-Disposition")) {
        std::string prepared = prepare_raw_parameters(*raw);
        GObjectPtr<GMimeContentDisposition> disposition(g_mime_content_disposition_parse(options, prepared.c_str()));
        std::string name = disposition ? named(g_mime_content_disposition_get_parameters(disposition.get()), "filename") : "";
        if (!name.empty()) return name;
    }
    if (auto raw = raw_header(part, "Content-Type")) {
        std::string prepared = prepare_raw_parameters(*raw);
        GObjectPtr<GMimeContentType> type(g_mime_content_type_parse(options, prepared.c_str()));
        std::string name = type ? named(g_mime_content_type_get_parameters(type.get()), "name") : "";
        if (!name.empty()) return name;
    }
    return {};
}

}  // namespace tv::mail
