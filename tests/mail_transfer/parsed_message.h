// A delivered message read back with GMime, for tests that check what a server received.
#pragma once

#include <string>
#include <vector>

namespace tv::test {

struct ParsedAttachment {
    std::string name;  // UTF-8
    std::string data;
};

struct ParsedMessage {
    std::string subject;         // decoded, UTF-8
    std::string from;            // decoded header value, UTF-8
    std::string to;
    std::string date;            // header values as they stand in the message
    std::string message_id;
    std::string mime_version;
    std::string raw_subject;
    std::string body_charset;    // charset parameter of the text part
    std::string body_encoding;   // Content-Transfer-Encoding of the text part
    std::string body;            // decoded to UTF-8
    std::vector<ParsedAttachment> attachments;
};

ParsedMessage parse_message(const std::string& bytes);

}  // namespace tv::test
