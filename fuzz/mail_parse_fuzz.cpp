// Feeds arbitrary bytes to the parse as the content of one mail file and checks that the result
// is one the program's readers can take: any violation aborts, so libFuzzer keeps the input.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/paths.h"
#include "common/sjis.h"
#include "mail/parse/attachment_folder.h"
#include "mail/parse/gobject_ptr.h"
#include "mail/parse/mail_reader.h"
#include "mail/parse/parse_result.h"

namespace {

std::filesystem::path program_folder;

[[noreturn]] void fail(const char* what, const std::string& line) {
    std::fprintf(stderr, "unsound result: %s: [%s]\n", what, tv::to_utf8(line.substr(0, 200)).c_str());
    std::abort();
}

void check_name(const std::string& name) {
    if (name.empty() || name[0] == '.' || tv::trim(name) != name) fail("name", name);
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = tv::char_length(name, i);
        auto c = static_cast<unsigned char>(name[i]);
        if (length == 1 && (c < 0x20 || c == 0x7F || c == '\\' || c == '/' || c == '"' || c == ',')) fail("name byte", name);
        i += length;
    }
    if (name.find("..") != std::string::npos || name.find("CrLf") != std::string::npos) fail("name", name);
    if (!std::filesystem::exists(program_folder / "TENPFIL" / tv::to_utf8(name))) fail("name not saved", name);
}

void check(const std::vector<std::string>& lines, const tv::mail::ParsedMail& mail) {
    if (lines.size() < 7 || lines.size() > tv::mail::kMaxResultLines) fail("line count", std::to_string(lines.size()));
    const char* prefixes[] = {"DATE: ", "FROM: ", "TO: ", "SUBJECT: ", "Body: "};
    for (std::size_t i = 0; i < 5; ++i) {
        if (lines[i].rfind(prefixes[i], 0) != 0) fail("prefix", lines[i]);
    }
    if (lines[0].size() != 25) fail("date", lines[0]);
    if (lines[1].find('<') != std::string::npos && lines[1].back() != '>') fail("sender", lines[1]);
    if (lines.back() != tv::mail::kEndLine) fail("end line", lines.back());
    std::size_t attachments = std::min(mail.attachments.size(), tv::mail::kMaxAttachments);
    std::size_t body_end = lines.size() - 1 - (attachments == 0 ? 1 : attachments);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() > tv::mail::kMaxLineBytes) fail("line length", line);
        for (char c : line) {
            if (c == '\r' || c == '\n') fail("line end inside a line", line);
        }
        if (i >= 5 && i < body_end) {
            std::string trimmed = tv::trim(line);
            if (tv::starts_with_upper(trimmed, "FILE:") || tv::starts_with_upper(trimmed, "BODY:") ||
                trimmed.rfind(std::string(tv::mail::kEndLine), 0) == 0) {
                fail("unguarded body line", line);
            }
        }
    }
    if (attachments == 0 && lines[body_end] != "FILE:") fail("no attachment line", lines[body_end]);
    for (std::size_t i = 0; i < attachments; ++i) {
        if (lines[body_end + i] != "File: TENPFIL\\" + mail.attachments[i]) fail("attachment line", lines[body_end + i]);
        check_name(mail.attachments[i]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::temp_directory_path() / "talvenor-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    program_folder = pattern;
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(program_folder, ec);
    });
    tv::files::set_program_folder(program_folder);
    tv::mail::parser_options();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tv::mail::GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(reinterpret_cast<const char*>(data), size));
    tv::mail::AttachmentFolder folder("TENPFIL");
    tv::mail::ParsedMail mail = tv::mail::read_mail(stream.get(), "2024/01/01 00:00:00", folder);
    check(tv::mail::result_lines(mail), mail);
    std::error_code ec;
    std::filesystem::remove_all(program_folder / "TENPFIL", ec);
    return 0;
}
