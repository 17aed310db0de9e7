// Reading and writing the system's text files (CP932, CR LF).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/atomic_file.h"

namespace tv::files {

// Longest line a reader takes; the rest of a longer line is dropped without an error.
constexpr std::size_t kMaxLineBytes = 32767;

// Splits file data into lines: CR ends a line and an LF right after it is skipped; a lone LF stays
// in the line; NUL bytes are dropped; a Ctrl-Z as the last byte ends the data. Data that ends with
// a line end gives no extra empty line. A line is cut at `max_line_bytes`.
std::vector<std::string> split_lines(std::string_view data, std::size_t max_line_bytes = kMaxLineBytes);

// Whole file bytes; nullopt when the file does not exist. Read failures raise a runtime error.
std::optional<std::string> read_bytes(std::string_view path);

// Lines of a file; nullopt when it does not exist.
std::optional<std::vector<std::string>> read_lines(std::string_view path);

// First line of a file (empty for an empty or missing file).
std::string read_first_line(std::string_view path);

// Creates or empties the file and writes each line followed by CR LF.
void write_lines(std::string_view path, const std::vector<std::string>& lines);
void write_line(std::string_view path, std::string_view line);
// Appends each line followed by CR LF, creating the file when missing.
void append_lines(std::string_view path, const std::vector<std::string>& lines);
// Writes raw bytes, creating or emptying the file.
void write_bytes(std::string_view path, std::string_view bytes);

// write_bytes_atomic for lines, each followed by CR LF.
void write_lines_atomic(std::string_view path, const std::vector<std::string>& lines, unsigned mode = 0644,
                        Durability durability = Durability::Synced);

// Joins lines with CR LF after each.
std::string join_lines(const std::vector<std::string>& lines);

// Comma-separated item input. Leading blanks are skipped; a quoted item runs to the next double
// quote (commas, colons and blanks kept) and then to the following comma or line end; an unquoted
// item ends at a comma, an ASCII colon or the line end and loses its trailing blanks; a CR ends an
// item even inside quotes (an LF after it is consumed); an empty line is one empty item. Asking for
// an item when no byte is left raises error 54.
class ItemReader {
public:
    explicit ItemReader(std::string data);
    bool at_end() const { return pos_ >= data_.size(); }
    std::string next();

private:
    void end_line();
    std::string data_;
    std::size_t pos_ = 0;
};

// Every item of a file (nullopt when missing).
std::optional<std::vector<std::string>> read_items(std::string_view path);

// Fixed-length records, read and written in place. Record numbers start at 1.
// Reading a record the file does not reach gives nullopt; a partly present record gives its bytes.
std::optional<std::string> read_record(std::string_view path, std::size_t record_length, std::size_t record);
// Writes `bytes` at `offset` within the record, creating the file when missing; bytes around it
// stay as they are.
void write_record_field(std::string_view path, std::size_t record_length, std::size_t record,
                        std::size_t offset, std::string_view bytes);

// Closes every file the program holds open. Files are opened and closed within each operation,
// so this only has work when an operation was interrupted by an error.
void close_all_files();

}  // namespace tv::files
