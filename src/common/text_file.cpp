#include "common/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "common/errors.h"
#include "common/file_changes.h"
#include "common/paths.h"

namespace tv::files {

namespace stdfs = std::filesystem;

namespace {

void write_with_flags(std::string_view path, std::string_view bytes, int flags) {
    stdfs::path disk = resolve(path);
    before_change(FileChange::Create, disk, "open");
    int fd = ::open(disk.c_str(), flags | O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) raise_errno(errno, "open " + disk.string());
    write_whole(fd, disk, bytes);
    if (::close(fd) != 0) raise_errno(errno, "close " + disk.string());
}

}  // namespace

std::vector<std::string> split_lines(std::string_view data, std::size_t max_line_bytes) {
    if (!data.empty() && data.back() == '\x1A') data.remove_suffix(1);
    std::vector<std::string> lines;
    std::string line;
    bool open = false;  // bytes seen since the last line end
    for (std::size_t i = 0; i < data.size(); ++i) {
        char c = data[i];
        if (c == '\r') {
            lines.push_back(std::move(line));
            line.clear();
            open = false;
            if (i + 1 < data.size() && data[i + 1] == '\n') ++i;
            continue;
        }
        open = true;
        if (c == '\0') continue;
        if (line.size() < max_line_bytes) line.push_back(c);
    }
    if (open) lines.push_back(std::move(line));
    return lines;
}

std::optional<std::string> read_bytes(std::string_view path) {
    stdfs::path disk = resolve(path);
    int fd = ::open(disk.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        raise_errno(errno, "open " + disk.string());
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            if (e == EISDIR) raise_error(err::kBadName, "is a folder: " + disk.string());
            raise_error(err::kFileAnomaly, "read " + disk.string() + ": " + std::generic_category().message(e));
        }
        if (n == 0) break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return data;
}

std::optional<std::vector<std::string>> read_lines(std::string_view path) {
    auto data = read_bytes(path);
    if (!data) return std::nullopt;
    return split_lines(*data);
}

std::string read_first_line(std::string_view path) {
    auto lines = read_lines(path);
    if (!lines || lines->empty()) return {};
    return (*lines)[0];
}

std::string join_lines(const std::vector<std::string>& lines) {
    std::string out;
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size() + 2;
    out.reserve(total);
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void write_lines(std::string_view path, const std::vector<std::string>& lines) {
    write_bytes(path, join_lines(lines));
}

void write_line(std::string_view path, std::string_view line) {
    std::string bytes(line);
    bytes += "\r\n";
    write_bytes(path, bytes);
}

void append_lines(std::string_view path, const std::vector<std::string>& lines) {
    write_with_flags(path, join_lines(lines), O_APPEND);
}

void write_bytes(std::string_view path, std::string_view bytes) { write_with_flags(path, bytes, O_TRUNC); }

void write_lines_atomic(std::string_view path, const std::vector<std::string>& lines, unsigned mode,
                        Durability durability) {
    write_bytes_atomic(path, join_lines(lines), mode, durability);
}

ItemReader::ItemReader(std::string data) : data_(std::move(data)) {
    if (!data_.empty() && data_.back() == '\x1A') data_.pop_back();
}

void ItemReader::end_line() {
    // At a CR (or LF): consume it and an LF after a CR.
    if (pos_ < data_.size() && data_[pos_] == '\r') {
        ++pos_;
        if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
    } else if (pos_ < data_.size() && data_[pos_] == '\n') {
        ++pos_;
    }
}

std::string ItemReader::next() {
    if (at_end()) raise_error(err::kFileAnomaly, "input past end of file");
    while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t')) ++pos_;
    std::string item;
    if (pos_ < data_.size() && data_[pos_] == '"') {
        ++pos_;
        while (pos_ < data_.size() && data_[pos_] != '"' && data_[pos_] != '\r') {
            if (data_[pos_] != '\0') item.push_back(data_[pos_]);
            ++pos_;
        }
        if (pos_ < data_.size() && data_[pos_] == '\r') {
            end_line();
            return item;
        }
        if (pos_ < data_.size()) ++pos_;  // closing quote
        while (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;
        if (pos_ >= data_.size()) return item;
        if (data_[pos_] == '\r' || data_[pos_] == '\n') {
            end_line();
        } else {
            ++pos_;  // a comma, or any further character, ends the item and is consumed
        }
        return item;
    }
    while (pos_ < data_.size()) {
        char c = data_[pos_];
        if (c == ',' || c == ':') {
            ++pos_;
            break;
        }
        if (c == '\r' || c == '\n') {
            end_line();
            break;
        }
        if (c != '\0') item.push_back(c);
        ++pos_;
    }
    while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.pop_back();
    return item;
}

std::optional<std::vector<std::string>> read_items(std::string_view path) {
    auto data = read_bytes(path);
    if (!data) return std::nullopt;
    ItemReader reader(std::move(*data));
    std::vector<std::string> items;
    while (!reader.at_end()) items.push_back(reader.next());
    return items;
}

std::optional<std::string> read_record(std::string_view path, std::size_t record_length, std::size_t record) {
    auto data = read_bytes(path);
    if (!data) return std::nullopt;
    std::size_t offset = (record - 1) * record_length;
    if (offset >= data->size()) return std::nullopt;
    return data->substr(offset, record_length);
}

void write_record_field(std::string_view path, std::size_t record_length, std::size_t record,
                        std::size_t offset, std::string_view bytes) {
    stdfs::path disk = resolve(path);
    before_change(FileChange::Create, disk, "open");
    int fd = ::open(disk.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) raise_errno(errno, "open " + disk.string());
    off_t at = static_cast<off_t>((record - 1) * record_length + offset);
    if (::lseek(fd, at, SEEK_SET) < 0) {
        int e = errno;
        ::close(fd);
        raise_errno(e, "seek " + disk.string());
    }
    write_whole(fd, disk, bytes);
    if (::close(fd) != 0) raise_errno(errno, "close " + disk.string());
}

void close_all_files() {}

}  // namespace tv::files
