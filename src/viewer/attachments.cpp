#include "viewer/attachments.h"

#include "common/globals.h"
#include "common/paths.h"
#include "common/size_text.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/eml_save.h"
#include "viewer/view_modes.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// The selected item's file in TENPFIL, or nothing (with the message when `tell`).
std::optional<std::string> selected_attachment(bool tell) {
    pf::Control& list = pf::form("FORM3").control("LIST4");
    if (list.selected() < 0) {
        if (tell) pf::inform("FORM3", "NOT SELECT", "添付ファイルが選択されていません。    "_sj);
        return std::nullopt;
    }
    return attachment_name(list.item(list.selected()));
}

void set_pointer(pf::MousePointer pointer) {
    pf::Form& f = pf::form("FORM3");
    f.pointer = pointer;
    f.changed();
}

void open_selected(bool tell_unselected) {
    if (!pf::forms().is_loaded("FORM3")) return;
    auto name = selected_attachment(tell_unselected);
    if (!name) return;
    pf::Form& f = pf::form("FORM3");
    set_pointer(pf::MousePointer::Hourglass);
    f.set_enabled(false);
    std::string path = received_attachment_path(*name);
    bool opened = false;
    if (path.empty() || !files::file_exists(path)) {
        pf::inform("FORM3", "NOT EXIST FILE !", "添付ファイルが見つかりません。    "_sj);
    } else {
        pf::pause(20);
        try {
            pf::shell_open_document(path);
            opened = true;
        } catch (const std::exception&) {
            pf::inform("FORM3", "OPEN ERROR !", "添付ファイルを開くことができませんでした。    "_sj);
        }
        pf::pause(20);
    }
    f.set_enabled(true);
    set_pointer(pf::MousePointer::Arrow);
    if (!opened) return;
    // The opened program comes to the front: the window the mail came from steps aside.
    const ViewMode* view = view_mode(globals().VIEW_MODE);
    std::string back = view ? view->return_window : "MAINFORM";
    if (pf::forms().is_loaded(back)) pf::form(back).hide();
    f.set_topmost(false);
}

}  // namespace

std::string attachment_item(const std::string& name, const std::string& path) {
    std::string size;
    if (!path.empty() && files::file_exists(path)) size = size_text(static_cast<double>(files::file_size(path)));
    return name + " " + size;
}

std::string received_attachment_path(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || find_first_char(name, '\\') != std::string_view::npos ||
        find_first_char(name, '/') != std::string_view::npos) {
        return {};
    }
    return files::join(kAttachmentFolder, name);
}

std::string attachment_name(std::string_view item) {
    std::string trimmed = trim(item);
    std::size_t open = trimmed.rfind('(');
    if (open == std::string::npos) return trimmed;
    return trim(trimmed.substr(0, open == 0 ? 0 : open - 1));
}

void BUTTON22_ON() {
    if (!pf::forms().is_loaded("FORM3")) return;
    std::string start_folder = store::save_start_folder();
    auto name = selected_attachment(true);
    if (!name) return;
    auto chosen = store::choose_save_path({"FORM3", store::join_start_path(start_folder, *name), store::kAllFilesFilter, false});
    if (!chosen) return;
    set_pointer(pf::MousePointer::Hourglass);
    store::copy_chosen_file(received_attachment_path(*name), *chosen, "FORM3", "保存する添付ファイルが見つかりません。    "_sj);
    pf::pause(20);
    set_pointer(pf::MousePointer::Arrow);
}

void BUTTON23_ON() { open_selected(true); }

void LIST4_DBLCLICK() { open_selected(false); }

}  // namespace tv::viewer
