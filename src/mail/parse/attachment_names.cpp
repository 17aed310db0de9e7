#include "mail/parse/attachment_names.h"

#include <array>

#include "common/answering_log.h"
#include "common/sjis.h"
#include "mail/parse/charset.h"

namespace tv::mail {

namespace {

struct TypeExtension {
    std::string_view type;
    std::string_view extension;
};

// Extensions for attachments that come without a name, so that they open with the right program.
constexpr std::array<TypeExtension, 16> kExtensions{{
    {"text/plain", ".txt"},
    {"text/html", ".html"},
    {"text/csv", ".csv"},
    {"text/calendar", ".ics"},
    {"text/rfc822-headers", ".txt"},
    {"message/rfc822", ".eml"},
    {"message/delivery-status", ".txt"},
    {"image/jpeg", ".jpg"},
    {"image/png", ".png"},
    {"image/gif", ".gif"},
    {"application/pdf", ".pdf"},
    {"application/zip", ".zip"},
    {"application/pgp-signature", ".asc"},
    {"application/pkcs7-signature", ".p7s"},
    {"application/ms-tnef", ".dat"},
    {"audio/mpeg", ".mp3"},
}};

constexpr std::string_view kMadeUpStem = "attachment";
constexpr std::string_view kReplacement = "_";
// Disk names are UTF-8 and at most 255 bytes; a CP932 character takes up to 3 bytes there, and
// the counter "(n)" needs room.
constexpr std::size_t kMaxStemDiskBytes = 180;
constexpr std::size_t kMaxExtensionBytes = 16;

std::string_view extension_for(std::string_view mime_type) {
    std::string type = lower_ascii(mime_type);
    for (const auto& entry : kExtensions) {
        if (entry.type == type) return entry.extension;
    }
    return {};
}

// A "\" right after bytes that a reading could not read (U+FFFD in their place) may be the second
// byte of a CP932 character among them: it is no folder separator and goes as they go.
std::string unread_backslashes_replaced(std::string_view utf8) {
    constexpr std::string_view kUnread = "\xEF\xBF\xBD";
    std::string out;
    for (char c : utf8) out.push_back(c == '\\' && out.ends_with(kUnread) ? kReplacement[0] : c);
    return out;
}

// The part after the last "\" or "/".
std::string without_folder(std::string_view name) {
    std::size_t back = find_last_char(name, '\\');
    std::size_t slash = find_last_char(name, '/');
    std::size_t cut = back == std::string_view::npos ? slash
                      : slash == std::string_view::npos ? back
                                                        : std::max(back, slash);
    return std::string(cut == std::string_view::npos ? name : name.substr(cut + 1));
}

// Control bytes and the bytes the readers treat as separators become "_"; runs of dots become
// one dot; "CrLf" is broken up.
std::string replace_unsafe(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = char_length(name, i);
        if (length == 2) {
            out.append(name.substr(i, 2));
        } else {
            auto c = static_cast<unsigned char>(name[i]);
            if (c < 0x20 || c == 0x7F || c == '"' || c == ',' || c == '\\' || c == '/') {
                out += kReplacement;
            } else if (c == '.' && !out.empty() && out.back() == '.') {
                // a second dot in a row is dropped
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
        i += length;
    }
    return break_line_markers(out);
}

std::string without_leading_dots(std::string_view name) {
    std::size_t i = 0;
    while (i < name.size() && name[i] == '.') ++i;
    return std::string(name.substr(i));
}

// Whole characters from the start while their UTF-8 size stays within `budget` bytes.
std::string cut_for_disk(std::string_view s, std::size_t budget) {
    std::size_t used = 0, i = 0;
    while (i < s.size()) {
        std::size_t length = char_length(s, i);
        std::size_t disk = static_cast<unsigned char>(s[i]) < 0x80 ? 1 : 3;
        if (used + disk > budget) break;
        used += disk;
        i += length;
    }
    return std::string(s.substr(0, i));
}

// {stem, extension}: the extension from the last dot, when it is short enough to be one.
std::pair<std::string, std::string> split_extension(std::string_view name) {
    std::size_t dot = find_last_char(name, '.');
    if (dot == std::string_view::npos || dot == 0 || name.size() - dot > kMaxExtensionBytes) {
        return {std::string(name), std::string()};
    }
    return {std::string(name.substr(0, dot)), std::string(name.substr(dot))};
}

}  // namespace

std::string clean_attachment_name(std::string_view utf8_name, std::string_view mime_type) {
    std::string name = utf8_to_cp932(unread_backslashes_replaced(utf8_name), kReplacement);
    name = trim(without_leading_dots(trim(replace_unsafe(without_folder(name)))));
    auto [stem, extension] = split_extension(name);
    std::string cut = cut_for_disk(stem, kMaxStemDiskBytes);
    if (cut.size() < stem.size()) stem = trim(cut);
    if (stem.empty() || is_blank(stem)) {
        stem = kMadeUpStem;
        if (extension.empty()) extension = extension_for(mime_type);
    }
    return stem + extension;
}

std::string numbered_name(std::string_view name, unsigned counter) {
    if (counter <= 1) return std::string(name);
    auto [stem, extension] = split_extension(name);
    return stem + "(" + std::to_string(counter) + ")" + extension;
}

}  // namespace tv::mail
