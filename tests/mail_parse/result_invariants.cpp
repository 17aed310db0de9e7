#include "result_invariants.h"

#include <gtest/gtest.h>

#include "common/sjis.h"
#include "common/exchange_files.h"

namespace tv::test {

namespace {

const std::string kEnd(exchange::kEndLine);
const std::string kFilePrefix = "File: TENPFIL\\";

bool looks_like_date(const std::string& s) {
    static const std::string shape = "dddd/dd/dd dd:dd:dd";
    if (s.size() != shape.size()) return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (shape[i] == 'd' ? (s[i] < '0' || s[i] > '9') : s[i] != shape[i]) return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> attachment_names(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (std::size_t i = 5; i < lines.size(); ++i) {
        if (lines[i].rfind(kFilePrefix, 0) == 0) names.push_back(lines[i].substr(kFilePrefix.size()));
    }
    return names;
}

std::vector<std::string> expect_sound_result(const Harness& h) {
    std::string bytes = h.read(exchange::kParseResultFile);
    std::vector<std::string> lines;
    EXPECT_TRUE(bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0) << "no CR LF at the end";
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    EXPECT_GE(lines.size(), 7u);
    EXPECT_LE(lines.size(), exchange::kMaxResultLines);
    if (lines.size() < 7) return lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 32767u) << "line " << i + 1;
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << "line " << i + 1;
    }
    EXPECT_EQ(lines[0].rfind("DATE: ", 0), 0u);
    EXPECT_TRUE(looks_like_date(lines[0].substr(6))) << lines[0];
    EXPECT_EQ(lines[1].rfind("FROM: ", 0), 0u);
    if (lines[1].find('<') != std::string::npos) {
        EXPECT_EQ(lines[1].back(), '>') << lines[1];
    }
    EXPECT_EQ(lines[2].rfind("TO: ", 0), 0u);
    EXPECT_EQ(lines[3].rfind("SUBJECT: ", 0), 0u);
    EXPECT_EQ(lines[4].rfind("Body: ", 0), 0u);
    EXPECT_EQ(lines.back(), kEnd);

    // Attachment lines stand together before the end line; above them only body lines.
    std::size_t first_attachment = lines.size() - 1;
    while (first_attachment > 5 && lines[first_attachment - 1].rfind(kFilePrefix, 0) == 0) --first_attachment;
    if (first_attachment == lines.size() - 1) {
        EXPECT_EQ(lines[lines.size() - 2], "FILE:");
        --first_attachment;
    }
    for (std::size_t i = 5; i < first_attachment; ++i) {
        std::string trimmed = trim(lines[i]);
        EXPECT_FALSE(starts_with_upper(trimmed, "FILE:")) << "line " << i + 1 << ": " << lines[i];
        EXPECT_FALSE(starts_with_upper(trimmed, "BODY:")) << "line " << i + 1 << ": " << lines[i];
        EXPECT_NE(trimmed.substr(0, kEnd.size()), kEnd) << "line " << i + 1;
    }
    for (const std::string& name : attachment_names(lines)) {
        EXPECT_EQ(trim(name), name);
        EXPECT_EQ(find_first_char(name, '\\'), std::string::npos) << name;
        EXPECT_EQ(name.find('/'), std::string::npos) << name;
        EXPECT_TRUE(h.exists("TENPFIL\\" + name)) << name;
    }
    return lines;
}

}  // namespace tv::test
