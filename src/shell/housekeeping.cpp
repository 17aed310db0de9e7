#include "shell/housekeeping.h"

#include <filesystem>

#include "common/answering_settings.h"
#include "common/atomic_file.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/private_files.h"
#include "common/sjis.h"
#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_stores.h"

namespace tv::shell {

namespace pf = tv::platform;

namespace {

std::vector<std::string> user_folders() { return {"JOB", "PRIVATE", "HOBBY", "ANOTHER"}; }

constexpr const char* kSettingsFolder = "SYSTEM_F\\SETTEI";

// The folder tree in the order it is created, but for the settings folder that comes after it.
std::vector<std::string> tree_folders() {
    std::vector<std::string> tree{"ADDRESS",  "JUSINBOX",           "SOUSINBOX",           "TENPFIL",
                                  "GOMIBAKO", "GOMIBAKO\\JUSIN_FO", "GOMIBAKO\\SOUSIN_FO", "GOMIBAKO\\F_D_F",
                                  "SYSTEM_F", "SYSTEM_F\\F_D_F",     "SYSTEM_F\\FORDA_FO"};
    for (const auto& folder : user_folders()) {
        std::string base = "SYSTEM_F\\FORDA_FO\\" + folder;
        tree.insert(tree.end(), {base, base + "\\JUSIN_FO", base + "\\SOUSIN_FO"});
    }
    tree.insert(tree.end(), {"SYSTEM_F\\DUSEACT", "SYSTEM_F\\HENSINYOU", "SYSTEM_F\\TEMPF_HENSIN",
                             "SYSTEM_F\\TODAY_HENSIN", "SYSTEM_F\\BADSOU"});
    for (const auto& folder : user_folders()) tree.push_back("SYSTEM_F\\FORDA_FO\\" + folder + "\\JUSIN_FO\\F_D_F");
    return tree;
}

// Creates a folder when none of that name exists; a file in the way is error 64. A folder made
// before files were kept private (by an older version, or by hand) is closed to other users, so that
// the mail already in it is no longer readable to them; a folder linked elsewhere keeps its mode.
void make(const std::string& path) {
    auto disk = files::resolve(path);
    std::error_code ec;
    if (std::filesystem::is_directory(disk, ec)) {
        files::close_to_others(path);
        return;
    }
    if (std::filesystem::exists(disk, ec)) raise_error(err::kExists, "a file stands where the folder " + path + " goes");
    if (!std::filesystem::create_directory(disk, ec) && ec) files::raise_errno(ec.value(), "create folder " + path);
}

}  // namespace

void create_folder_tree() {
    for (const auto& folder : tree_folders()) make(folder);
    pf::pause(20);
    make(kSettingsFolder);
    pf::pause(20);
}

void remove_atomic_write_leftovers() {
    // Each top folder with every folder below it, also those made for one mail (a forward's
    // attachments in SYSTEM_F\BADSOU\<mail>\).
    for (const auto& folder : tree_folders()) {
        if (folder.find('\\') == std::string::npos) files::remove_atomic_temp_files(folder);
    }
}

void seed_settings_file() {
    // Without a seed the settings file stays absent and the settings take their defaults.
    if (!files::file_exists(kSettingsFile) && files::file_exists(kSettingsSeed)) {
        files::copy_file(kSettingsSeed, kSettingsFile);
    }
}

}  // namespace tv::shell
