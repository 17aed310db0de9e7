#include "common/file_move.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/atomic_file.h"
#include "common/errors.h"
#include "common/file_changes.h"
#include "common/paths.h"
#include "common/text_file.h"

namespace tv::files {

namespace stdfs = std::filesystem;

namespace {

// The hidden name under which a file is copied across file systems (no listing shows it).
stdfs::path hidden_copy_of(const stdfs::path& target) {
    return target.parent_path() / ("." + target.filename().string() + ".moving");
}

void remove_quietly(const stdfs::path& disk) {
    std::error_code ec;
    stdfs::remove(disk, ec);
}

// Takes a file away from `source` once it also stands at `target`; the target goes again when
// the source cannot, so the file is in one place.
void drop_source(const stdfs::path& source, const stdfs::path& target) {
    if (::unlink(source.c_str()) == 0) return;
    int e = errno;
    remove_quietly(target);
    raise_errno(e, "delete " + source.string());
}

void move_across_file_systems(const stdfs::path& source, const stdfs::path& target) {
    stdfs::path copy = hidden_copy_of(target);
    before_change(FileChange::Copy, source, "copy");
    std::error_code ec;
    stdfs::copy_file(source, copy, stdfs::copy_options::overwrite_existing, ec);
    if (ec) {
        remove_quietly(copy);
        raise_errno(ec.value(), "copy " + source.string());
    }
    // A link, unlike a rename, never replaces a file of the name.
    if (::link(copy.c_str(), target.c_str()) != 0) {
        int e = errno;
        remove_quietly(copy);
        raise_errno(e, "move " + source.string());
    }
    remove_quietly(copy);
    drop_source(source, target);
}

bool same_bytes(std::string_view a, std::string_view b) {
    auto x = read_bytes(a);
    auto y = read_bytes(b);
    return x && y && *x == *y;
}

}  // namespace

void move_file(std::string_view from, std::string_view to) {
    stdfs::path source = resolve(from);
    stdfs::path target = resolve(to);
    before_change(FileChange::Rename, source, "move");
    int e = rename_without_replacing(source, target);
    if (e == EXDEV) {
        move_across_file_systems(source, target);
    } else if (e != 0) {
        raise_errno(e, "move " + source.string());
    }
}

bool finish_move(std::string_view from, std::string_view to) {
    try {
        remove_quietly(hidden_copy_of(resolve(to)));
        if (file_exists(to)) {
            // Stopped after the file was placed and before its source went.
            if (file_exists(from) && same_bytes(from, to)) remove_if_exists(from);
            return true;
        }
        if (file_exists(from)) move_file(from, to);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace tv::files
