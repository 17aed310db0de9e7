#include "compose/attachments.h"

#include "common/errors.h"
#include "common/paths.h"
#include "common/size_text.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "compose/messages.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/registry_value.h"
#include "platform/timers.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

pf::Form& compose_form() { return pf::form("FORM9"); }

void start_timer_between_pauses() {
    pf::pause(20);
    pf::start_timer(compose_form().control("TIMER2"));
    pf::pause(20);
}

// The folder the dialog starts in: the one last attached from, else the Desktop.
std::string start_folder() {
    std::string start = trim(pf::desktop_folder_text());
    try {
        if (auto lines = files::read_lines(kLastAttachmentFolder); lines && !lines->empty() && !is_blank(lines->back())) {
            start = lines->back();
        }
    } catch (const RuntimeError&) {
        // An unreadable record only loses the remembered folder.
    }
    return start;
}

void remember_folder(const std::string& path) {
    std::string folder = files::split_folder_name(trim(path)).first;
    try {
        files::write_line(kLastAttachmentFolder, trim(folder) + "/");
    } catch (const RuntimeError&) {
        // Not remembering the folder loses nothing of the mail.
    }
}

}  // namespace

void BUTTON33_ON() {
    if (!pf::forms().is_loaded("FORM9")) return;
    start_timer_between_pauses();
    pf::FileDialogRequest request{"FORM9", "開く"_sj, start_folder(), {{"すべてのファイル(*.*)"_sj, "*.*"}}};
    pf::DialogAnswer answer = pf::open_file_dialog(request);
    if (answer.outcome == pf::DialogAnswer::Outcome::NotCp932) {
        // The character may stand in any folder of the path, so the message shows the whole path.
        pf::inform("FORM9", "BAD FILE"_sj,
                   "このファイルのパスには使えない文字が含まれているため添付できません。   "_sj + "\r\n\r\n" +
                       from_utf8_lossy(answer.path));
        return;
    }
    if (!answer.chosen() || !pf::forms().is_loaded("FORM9")) return;
    if (files::resolves_inside_program_folder(answer.path)) {
        pf::inform("FORM9", "BAD FILE"_sj, "カレント・フォルダ内のファイルは添付できません。   "_sj);
        return;
    }
    compose_form().set_pointer(pf::MousePointer::Hourglass);
    remember_folder(answer.path);
    pf::Control& list = compose_form().control("LIST12");
    for (const auto& row : list.items()) {
        if (row == answer.path) {
            compose_form().set_pointer(pf::MousePointer::Arrow);
            return;
        }
    }
    compose_form().set_pointer(pf::MousePointer::Arrow);
    list.add_item(answer.path);
}

void BUTTON29_ON() {
    if (!pf::forms().is_loaded("FORM9")) return;
    start_timer_between_pauses();
    compose_form().set_pointer(pf::MousePointer::Hourglass);
    compose_form().control("LIST12").clear();
    compose_form().set_pointer(pf::MousePointer::Arrow);
}

std::string attachment_line(const std::vector<std::string>& paths) {
    if (paths.empty()) return {};
    std::string names;
    float total = 0;  // summed as single-precision numbers, as the size text expects
    for (const auto& path : paths) {
        std::string trimmed = trim(path);
        if (!names.empty()) names += ",";
        names += files::split_folder_name(trimmed).second;
        if (files::file_exists(trimmed)) total += static_cast<float>(files::file_size(trimmed));
    }
    return names + size_text(total);
}

}  // namespace tv::compose
