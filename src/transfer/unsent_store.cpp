#include "transfer/unsent_store.h"

#include <vector>

#include "common/atomic_file.h"
#include "common/errors.h"
#include "common/exchange_files.h"
#include "common/paths.h"
#include "common/request_lines.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/clock.h"
#include "platform/platform.h"

namespace tv::transfer {

namespace pf = tv::platform;

namespace {

std::string stem(const std::string& name) {
    std::string lower = lower_ascii(name);
    return lower.size() > 4 && lower.ends_with(".txt") ? name.substr(0, name.size() - 4) : name;
}

// A place in `folder` for a file named `name` that takes nothing else's place: the folder itself,
// else a numbered folder inside it, so the attachment keeps its name.
std::string free_place(const std::string& folder, const std::string& name) {
    std::string place = files::join(folder, name);
    for (int n = 2; files::file_exists(place) || files::folder_exists(place); ++n) {
        std::string numbered = files::join(folder, std::to_string(n));
        files::make_folder(numbered);
        place = files::join(numbered, name);
    }
    return place;
}

// Copies each attachment that lies in the program folder into `folder` and points its line there; a
// line whose file cannot be copied stays as it was. Returns whether any line changed.
bool keep_attachments(std::vector<std::string>& lines, const std::string& folder) {
    auto [first, end] = request_attachment_run(lines);
    bool changed = false;
    for (std::size_t i = first; i < end; ++i) {
        std::string path = trim(std::string_view(lines[i]).substr(kAttachmentPrefix.size()));
        if (path.empty() || !files::file_exists(path) || !files::resolves_inside_program_folder(path)) continue;
        std::string name = files::split_folder_name(path).second;
        try {
            files::make_folder(folder);
            std::string place = free_place(folder, name);
            files::copy_file(path, place);
            lines[i] = std::string(kAttachmentPrefix) + place;
            changed = true;
        } catch (const RuntimeError&) {
            // The original path stays: the mail is kept all the same.
        }
    }
    return changed;
}

void discard_partial_copy(const std::string& name) {
    try {
        files::remove_if_exists(files::join(kUnsentFolder, name));
    } catch (const RuntimeError&) {
        // The caller's error is the one to tell.
    }
    discard_kept_attachments(name);
}

}  // namespace

std::string new_unsent_name() {
    pf::DateTime t = pf::now();
    for (;;) {
        std::string name = pf::format_stamp(t) + "_DEL_SOUSIN.txt";
        if (!files::file_exists(files::join(kUnsentFolder, name)) &&
            !files::folder_exists(kept_attachments_folder(name))) {
            return name;
        }
        t = pf::add_seconds(t, 1);
    }
}

std::string kept_attachments_folder(const std::string& name) { return files::join(kUnsentFolder, stem(name)); }

std::string keep_request_as_unsent() {
    if (!files::file_exists(exchange::kSendRequestFile)) return {};
    std::string name = new_unsent_name();
    std::string kept = files::join(kUnsentFolder, name);
    auto lines = files::read_lines(exchange::kSendRequestFile);
    try {
        if (lines && keep_attachments(*lines, kept_attachments_folder(name))) {
            files::write_lines(kept, *lines);
        } else {
            files::copy_file(exchange::kSendRequestFile, kept);
        }
    } catch (const RuntimeError&) {
        // A copy cut short (a full disk) would list as an unsent mail that holds nothing.
        files::close_all_files();
        discard_partial_copy(name);
        throw;
    }
    pf::pause(20);
    files::remove_if_exists(exchange::kSendRequestFile);
    pf::pause(20);
    return name;
}

void discard_kept_attachments(const std::string& name) { files::remove_folder_tree(kept_attachments_folder(name)); }

}  // namespace tv::transfer
