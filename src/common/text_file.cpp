#include "common/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include "common/errors.h"
#include "common/file_changes.h"
#include "common/paths.h"

namespace tv::files {

namespace stdfs = std::filesystem;

namespace {

// Writes all bytes to an open descriptor; raises on failure, the descriptor closed.
void write_all(int fd, const stdfs::path& disk, std::string_view bytes) {
    try {
        before_change(FileChange::Write, disk, "write");
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (!write_fully(fd, bytes)) {
        int e = errno;
        ::close(fd);
        raise_errno(e, "write " + disk.string());
    }
}

void write_with_flags(std::string_view path, std::string_view bytes, int flags) {
    stdfs::path disk = resolve(path);
    before_change(FileChange::Create, disk, "open");
    int fd = ::open(disk.c_str(), flags | O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) raise_errno(errno, "open " + disk.string());
    write_all(fd, disk, bytes);
    if (::close(fd) != 0) raise_errno(errno, "close " + disk.string());
}

}  // namespace

bool write_fully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool copy_fully(int in, int out) {
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        if (!write_fully(out, std::string_view(buffer, static_cast<std::size_t>(n)))) return false;
    }
}

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

namespace {

constexpr std::string_view kTempMark = ".tmp";
// Names tried for one temporary file before giving up (others only when names are planted).
constexpr int kTempAttempts = 100;

bool all_digits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process number of a bare disk name of the temporary form; nullopt for any other name.
std::optional<unsigned long> temp_name_process(std::string_view name) {
    if (name.size() < 2 || name[0] != '.') return std::nullopt;
    std::size_t mark = name.rfind(kTempMark);
    if (mark == std::string_view::npos || mark < 2) return std::nullopt;  // a name of at least one byte
    std::string_view numbers = name.substr(mark + kTempMark.size());
    std::size_t underscore = numbers.find('_');
    if (underscore == std::string_view::npos) return std::nullopt;
    std::string_view process = numbers.substr(0, underscore);
    if (!all_digits(process) || !all_digits(numbers.substr(underscore + 1))) return std::nullopt;
    // A number too long for a process is none: it names no process that runs.
    if (process.size() > 10) return std::numeric_limits<unsigned long>::max();
    return std::stoul(std::string(process));
}

// Whether a process of that number runs: one that cannot be signalled (another user's) runs too.
bool process_runs(unsigned long process) {
    if (process == 0 || process > static_cast<unsigned long>(std::numeric_limits<pid_t>::max())) return false;
    return ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
}

}  // namespace

std::string atomic_temp_name(std::string_view name, unsigned long process, unsigned long counter) {
    return "." + std::string(name) + std::string(kTempMark) + std::to_string(process) + "_" + std::to_string(counter);
}

bool is_atomic_temp_name(std::string_view name) { return temp_name_process(name).has_value(); }

void remove_atomic_temp_files(std::string_view folder) {
    int fd = open_without_links(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    DIR* listing = ::fdopendir(fd);
    if (!listing) {
        ::close(fd);
        return;
    }
    const auto own = static_cast<unsigned long>(::getpid());
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(listing)) {
        std::optional<unsigned long> process = temp_name_process(entry->d_name);
        if (!process || (*process != own && process_runs(*process))) continue;
        struct stat st {};
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)) {
            leftovers.emplace_back(entry->d_name);
        }
    }
    stdfs::path disk = resolve(folder);
    for (const std::string& name : leftovers) {
        try {
            before_change(FileChange::Remove, disk / name, "delete");
            ::unlinkat(fd, name.c_str(), 0);
        } catch (const RuntimeError&) {
            // Left for the next start; nothing reads it meanwhile.
        }
    }
    ::closedir(listing);
}

AtomicTemp create_atomic_temp(const stdfs::path& disk, unsigned mode) {
    static std::atomic<unsigned long> counter{0};
    const auto process = static_cast<unsigned long>(::getpid());
    for (int attempt = 1;; ++attempt) {
        stdfs::path temp = disk.parent_path() / atomic_temp_name(disk.filename().string(), process, counter++);
        before_change(FileChange::Create, temp, "open");
        // Exclusive: a link planted under the name is not written through, a file there not emptied.
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) return {fd, temp};
        if (errno != EEXIST || attempt == kTempAttempts) raise_errno(errno, "open " + temp.string());
    }
}

void put_atomic_temp_in_place(const AtomicTemp& temp, const stdfs::path& disk, Durability durability) {
    int synced = durability == Durability::Synced ? ::fsync(temp.fd) : 0;
    int sync_error = errno;
    int closed = ::close(temp.fd);
    try {
        if (synced != 0 || closed != 0) raise_errno(synced != 0 ? sync_error : errno, "write " + temp.path.string());
        before_change(FileChange::Rename, temp.path, "rename");
        if (::rename(temp.path.c_str(), disk.c_str()) != 0) raise_errno(errno, "rename " + temp.path.string());
    } catch (const RuntimeError&) {
        ::unlink(temp.path.c_str());
        throw;
    }
}

void write_bytes_atomic(std::string_view path, std::string_view bytes, unsigned mode, Durability durability) {
    stdfs::path disk = resolve(path);
    AtomicTemp temp = create_atomic_temp(disk, mode);
    // A write that fails (a full disk) leaves no temporary file behind.
    try {
        write_all(temp.fd, temp.path, bytes);
    } catch (const RuntimeError&) {
        ::unlink(temp.path.c_str());
        throw;
    }
    put_atomic_temp_in_place(temp, disk, durability);
}

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
    write_all(fd, disk, bytes);
    if (::close(fd) != 0) raise_errno(errno, "close " + disk.string());
}

void close_all_files() {}

}  // namespace tv::files
