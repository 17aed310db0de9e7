#include "viewer/view_modes.h"

#include <array>

#include "common/paths.h"
#include "store/mail_stores.h"

namespace tv::viewer {

namespace {

constexpr std::array<ViewMode, 6> kModes{{
    {1, true, "MAINFORM"},
    {2, false, "MAINFORM"},
    {3, true, "FORM8"},
    {4, false, "FORM8"},
    {5, true, "FORM16"},
    {6, false, "FORM16"},
}};

}  // namespace

const ViewMode* view_mode(int mode) {
    return mode >= 1 && mode <= 6 ? &kModes[static_cast<std::size_t>(mode - 1)] : nullptr;
}

std::string view_mail_folder(int mode, int folder_no) {
    const ViewMode* view = view_mode(mode);
    if (!view) return {};
    const store::MailStore* store = nullptr;
    if (mode <= 2) {
        store = &store::receive_box();
    } else if (mode <= 4) {
        store = &store::trash_store();
    } else if (folder_no >= 1 && folder_no <= 4) {
        store = &store::store_by_folder_no(folder_no);
    }
    if (!store) return {};
    return view->received ? store->mail_folder : store->sent_folder;
}

std::string view_mail_path(int mode, int folder_no, const std::string& file_name) {
    std::string folder = view_mail_folder(mode, folder_no);
    return folder.empty() ? std::string() : files::join(folder, file_name);
}

}  // namespace tv::viewer
