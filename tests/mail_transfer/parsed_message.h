// A delivered message read back with GMime, for tests that check what a server received.
#pragma once

#include <string>
#include <vector>

namespace tv::test {

struct ParsedAttachment {
    std::string name;  // UTF-8
    std::string data;
    std::string raw_type;         // Content-Type and Content-Disposition as they stand
    std::string raw_disposition;
};

struct ParsedMessage {
    std::string subject;         // decoded, UTF-8
    std::string from;            // decoded header value, UTF-8
    std::string to;
    std::string date;            // header values as they stand in the message
    std::string message_id;
    std::string mime_version;
    std::string raw_subject;
    std::string raw_from;
    std::string raw_to;
    std::string body_charset;    // charset parameter of the text part
    std::string body_encoding;   // Content-Transfer-Encoding of the text part
    std::string body;            // decoded to UTF-8
    std::vector<ParsedAttachment> attachments;
};

ParsedMessage parse_message(const std::string& bytes);

// Header text with encoded words decoded (UTF-8).
std::string decode_header_text(const std::string& raw);

}  // namespace tv::test
