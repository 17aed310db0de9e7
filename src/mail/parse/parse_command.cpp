// talvenor-mail parse: reads the mail named in SYSTEM_F\CHECK.txt and writes its parse result to
// SYSTEM_F\YOMITORI.txt, after saving its attachments in TENPFIL, and the mail's marks beside it.
// It always writes a complete result: a mail it cannot read gives the result of an unreadable mail,
// and so does a parse the program stopped (run_parse_stopped, asked for after the stop).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <exception>

#include "common/exchange_files.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "mail/commands.h"
#include "mail/parse/attachment_folder.h"
#include "mail/parse/gobject_ptr.h"
#include "mail/parse/mail_date.h"
#include "mail/parse/mail_reader.h"
#include "mail/parse/parse_result.h"
#include "mail/parse/result_file.h"

namespace tv::mail {

namespace {

constexpr const char* kAttachmentFolder = "TENPFIL";

// The date a mail gets when it has none of its own: its receipt time from the file name, else the
// file's modification time, else now.
std::string receipt_date(const std::string& request, int fd) {
    auto [folder, name] = files::split_folder_name(request);
    if (auto from_name = receipt_time_from_name(name)) return *from_name;
    struct stat status {};
    if (fd >= 0 && ::fstat(fd, &status) == 0) return local_time_text(status.st_mtime);
    return local_time_text(std::time(nullptr));
}

ParsedMail parse_requested_mail(const std::string& request) {
    if (request.empty()) return unreadable_mail(local_time_text(std::time(nullptr)));
    std::filesystem::path disk = files::resolve(request);
    // Read only: the program goes on using the mail file after the parse.
    int fd = ::open(disk.c_str(), O_RDONLY | O_CLOEXEC);
    std::string date = receipt_date(request, fd);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (fd >= 0) ::close(fd);
        std::fprintf(stderr, "talvenor-mail: cannot read %s\n", disk.c_str());
        return unreadable_mail(date);
    }
    GObjectPtr<GMimeStream> stream(g_mime_stream_fs_new(fd));  // owns fd
    AttachmentFolder attachments(kAttachmentFolder);
    return read_mail(stream.get(), date, attachments);
}

}  // namespace

int run_parse() {
    try {
        files::remove_if_exists(exchange::kParseMarksFile);
        std::string request = files::read_first_line(exchange::kRequestFile);
        ParsedMail mail = parse_requested_mail(request);
        if (!mail.marks.empty()) replace_file(exchange::kParseMarksFile, mail.marks);
        replace_file(exchange::kParseResultFile, result_lines(mail));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "talvenor-mail parse: %s\n", e.what());
    }
    try {
        replace_file(exchange::kParseResultFile, result_lines(unreadable_mail(local_time_text(std::time(nullptr)))));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "talvenor-mail parse: %s\n", e.what());
        return 1;
    }
    return 0;
}

int run_parse_stopped() {
    try {
        // An unreadable mail earns no mark. The mail itself is not opened: reading it may be what
        // stopped the parse.
        files::remove_if_exists(exchange::kParseMarksFile);
        std::string request = files::read_first_line(exchange::kRequestFile);
        replace_file(exchange::kParseResultFile, result_lines(unreadable_mail(receipt_date(request, -1))));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "talvenor-mail parse: %s\n", e.what());
        return 1;
    }
}

}  // namespace tv::mail
