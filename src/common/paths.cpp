#include "common/paths.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "common/errors.h"
#include "common/file_changes.h"
#include "common/folder_index.h"
#include "common/sjis.h"

namespace tv::files {

namespace stdfs = std::filesystem;

namespace {

stdfs::path& root() {
    static stdfs::path folder = stdfs::current_path();
    return folder;
}

// Splits at "\" and "/" outside double-byte characters.
std::vector<std::string> split_components(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t len = char_length(path, i);
        if (len == 1 && (path[i] == '\\' || path[i] == '/')) {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current.append(path.substr(i, len));
        }
        i += len;
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

int error_number_for(int e) {
    switch (e) {
        case ENOENT: case ENOTDIR: return err::kNotFound;
        case EACCES: case EPERM: case EBUSY: case EROFS: case ETXTBSY: return err::kAccessDenied;
        case EEXIST: return err::kExists;
        case ENAMETOOLONG: case EINVAL: case EISDIR: return err::kBadName;
        default: return err::kFileAnomaly;
    }
}

}  // namespace

void set_program_folder(const stdfs::path& folder) { root() = folder; }
const stdfs::path& program_folder() { return root(); }

void raise_errno(int error_number, std::string_view what) {
    raise_error(error_number_for(error_number),
                std::string(what) + ": " + std::generic_category().message(error_number));
}

namespace {

// Whether `path` is `folder` or lies below it, both taken as written.
bool lies_within(const stdfs::path& folder, const stdfs::path& path) {
    auto [f, p] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return f == folder.end() || (std::next(f) == folder.end() && f->empty());  // "folder/" as well
}

// Whether a disk path lies in the program folder or below it as it is spelt, no link followed.
bool lexically_inside_program_folder(const stdfs::path& path) {
    return lies_within(root().lexically_normal(), path.lexically_normal());
}

}  // namespace

stdfs::path resolve(std::string_view path) {
    bool absolute = !path.empty() && path[0] == '/';
    stdfs::path current = absolute ? stdfs::path("/") : root();
    // Names match case-blind only inside the program folder, whose paths the system writes in any
    // case; a path elsewhere (one the user chose) names exactly the file it spells.
    bool case_blind = !absolute || lexically_inside_program_folder(current);
    for (const std::string& part : split_components(path)) {
        std::string name = to_utf8(part);
        stdfs::path exact = current / name;
        std::error_code ec;
        if (name == "." || name == ".." || !case_blind || stdfs::exists(stdfs::symlink_status(exact, ec))) {
            current = std::move(exact);
        } else {
            // Case-blind match; of several variants the smallest in raw bytes, so the choice is stable.
            std::string best = find_case_blind(current, fold_ascii(name));
            current = best.empty() ? std::move(exact) : current / best;
        }
        if (absolute) case_blind = lexically_inside_program_folder(current);
    }
    return current;
}

bool resolves_inside_program_folder(std::string_view path) {
    std::error_code ec;
    stdfs::path home = stdfs::weakly_canonical(program_folder(), ec);
    if (ec) return false;
    stdfs::path file = stdfs::weakly_canonical(resolve(path), ec);
    return !ec && lies_within(home, file);
}

bool written_inside_program_folder(std::string_view path) {
    if (path.empty() || path[0] == '/' || path[0] == '\\') return false;
    for (const std::string& part : split_components(path)) {
        if (part == "..") return false;
    }
    return lexically_inside_program_folder(resolve(path));
}

int open_without_links(std::string_view path, int flags) {
    stdfs::path home = root().lexically_normal();
    stdfs::path relative = resolve(path).lexically_normal().lexically_relative(home);
    std::vector<stdfs::path> steps;
    for (const stdfs::path& step : relative) {
        if (step == "..") return -1;
        if (!step.empty() && step != ".") steps.push_back(step);
    }
    if (steps.empty()) return -1;
    int fd = ::open(home.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (std::size_t i = 0; fd >= 0 && i < steps.size(); ++i) {
        bool last = i + 1 == steps.size();
        int next = ::openat(fd, steps[i].c_str(), (last ? flags : O_PATH | O_DIRECTORY) | O_NOFOLLOW | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    return fd;
}

std::string join(std::string_view folder, std::string_view name) {
    std::string out(folder);
    out += '\\';
    out += name;
    return out;
}

std::pair<std::string, std::string> split_folder_name(std::string_view path) {
    std::size_t back = find_last_char(path, '\\');
    std::size_t slash = find_last_char(path, '/');
    std::size_t at = back == std::string_view::npos ? slash
                     : slash == std::string_view::npos ? back
                                                       : std::max(back, slash);
    if (at == std::string_view::npos) return {std::string(), std::string(path)};
    return {std::string(path.substr(0, at)), std::string(path.substr(at + 1))};
}

bool file_exists(std::string_view path) {
    std::error_code ec;
    return stdfs::is_regular_file(resolve(path), ec);
}

bool folder_exists(std::string_view path) {
    std::error_code ec;
    return stdfs::is_directory(resolve(path), ec);
}

std::uintmax_t file_size(std::string_view path) {
    std::error_code ec;
    auto size = stdfs::file_size(resolve(path), ec);
    return ec ? 0 : size;
}

bool remove_if_exists(std::string_view path) {
    stdfs::path disk = resolve(path);
    std::error_code ec;
    auto status = stdfs::symlink_status(disk, ec);
    if (ec || !stdfs::exists(status)) return false;
    if (stdfs::is_directory(status)) raise_error(err::kAccessDenied, "is a folder: " + disk.string());
    before_change(FileChange::Remove, disk, "delete");
    if (!stdfs::remove(disk, ec) && ec) raise_errno(ec.value(), "delete " + disk.string());
    return true;
}

void remove_file(std::string_view path) {
    if (!remove_if_exists(path)) raise_error(err::kNotFound, "file not found: " + std::string(path));
}

void rename_file(std::string_view from, std::string_view to) {
    std::error_code ec;
    stdfs::path source = resolve(from);
    before_change(FileChange::Rename, source, "rename");
    stdfs::rename(source, resolve(to), ec);
    if (ec) raise_errno(ec.value(), "rename " + std::string(from));
}

void make_folder(std::string_view path) {
    stdfs::path disk = resolve(path);
    try {
        before_change(FileChange::MakeFolder, disk, "create folder");
    } catch (const RuntimeError&) {
        return;
    }
    std::error_code ec;
    stdfs::create_directory(disk, ec);
}

bool remove_folder_tree(std::string_view path) {
    std::error_code ec;
    stdfs::path disk = resolve(path);
    if (!stdfs::is_directory(stdfs::symlink_status(disk, ec))) return false;
    return stdfs::remove_all(disk, ec) != static_cast<std::uintmax_t>(-1) && !ec;
}

namespace {

// The bytes of a name as lower_ascii gives them, one at a time, without building the string.
class FoldedBytes {
public:
    explicit FoldedBytes(std::string_view s) : s_(s) {}
    bool done() const { return i_ >= s_.size(); }
    unsigned char next() {
        auto c = static_cast<unsigned char>(s_[i_]);
        if (trail_) {
            trail_ = false;
        } else if (char_length(s_, i_) == 2) {
            trail_ = true;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c - 'A' + 'a');
        }
        ++i_;
        return c;
    }

private:
    std::string_view s_;
    std::size_t i_ = 0;
    bool trail_ = false;
};

}  // namespace

bool name_less(std::string_view a, std::string_view b) {
    FoldedBytes x(a), y(b);
    while (!x.done() && !y.done()) {
        unsigned char cx = x.next(), cy = y.next();
        if (cx != cy) return cx < cy;
    }
    if (x.done() != y.done()) return x.done();  // a shorter folded name first
    return a < b;  // raw-byte tie-break, so case variants keep one order
}

void sort_names(std::vector<std::string>& names) {
    if (std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return name_less(a, b);
        })) {
        return;
    }
    // Keys computed once per name, not at every comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (auto& name : names) keyed.emplace_back(lower_ascii(name), std::move(name));
    std::stable_sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& entry : keyed) names.push_back(std::move(entry.second));
}

bool same_name(std::string_view a, std::string_view b) { return lower_ascii(a) == lower_ascii(b); }

std::vector<std::string> list_folder_files(std::string_view folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (stdfs::directory_iterator it(resolve(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code sec;
        if (!it->is_regular_file(sec)) continue;
        auto cp932 = from_utf8(name);
        if (!cp932) continue;
        names.push_back(std::move(*cp932));
    }
    sort_names(names);
    return names;
}

}  // namespace tv::files
