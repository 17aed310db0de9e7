#include "folders/window_lifecycle.h"

#include <algorithm>

#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/receive_list_row.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "folders/folder_windows.h"
#include "folders/list_loading.h"
#include "folders/mail_lists.h"
#include "folders/step_pauses.h"
#include "folders/window_steps.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/list_registration.h"
#include "platform/platform.h"
#include "store/folder_places.h"
#include "store/mail_stores.h"
#include "store/progress_window.h"
#include "transfer/component_check.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// The globals of each window.
struct WindowGlobals {
    int Globals::*open;
    int Globals::*reply;
    std::string Globals::*no_delete_confirm;
    bool error_number_in_title;
    int pauses_before_main;  // 20 ms pauses when a failed load closes the window
};

constexpr WindowGlobals kTrashGlobals{&Globals::TRASH_WINDOW_OPEN, &Globals::REPLY_FROM_TRASH,
                                      &Globals::TRASH_NO_DELETE_CONFIRM, false, 1};
constexpr WindowGlobals kFolderGlobals{&Globals::FOLDER_WINDOW_OPEN, &Globals::REPLY_FROM_FOLDER,
                                       &Globals::FOLDER_NO_DELETE_CONFIRM, true, 0};

const WindowGlobals& globals_of(int folder_no) { return folder_no == 0 ? kTrashGlobals : kFolderGlobals; }
const WindowFace& face_of_folder(int folder_no) { return folder_no == 0 ? trash_face() : folder_face(); }

// The folder window's switch button of the folder shown is the one it cannot press.
void set_switch_buttons(int folder_no) {
    pf::Form& f = pf::form("FORM16");
    for (int n = 1; n <= 4; ++n) {
        pf::Control& button = f.control("BUTTON" + std::to_string(74 + n));
        button.enabled = n != folder_no;
        button.changed();
    }
}

void set_up_steps(int folder_no) {
    const store::FolderPlace& place = store::folder_place(folder_no);
    const WindowGlobals& wg = globals_of(folder_no);
    const WindowFace& face = face_of_folder(folder_no);
    Globals& g = globals();
    pf::Form& f = pf::form(face.form);
    f.caption = store::display_name(place);
    if (g.COMPOSING > 0) f.caption += " ・・・・・・メールの作成中です。このウィンドウを閉じて作成を継続して下さい。"_sj;
    f.changed();
    if (pf::forms().is_loaded("FORM9")) pf::form("FORM9").hide();
    g.*wg.open = 1;
    g.*wg.reply = 0;
    f.background = pf::kFace;
    f.clear_drawing();
    if (folder_no == 0) g.FOLDER_NO = 0;
    transfer::BASP_CHECK();
    f.set_enabled(false);
    draw_face(face);
    if (folder_no != 0) set_switch_buttons(folder_no);
    read_delete_option(face, g.*wg.no_delete_confirm);
    pf::EXTATTACH(face.form, place.lists.received_list);
    pf::EXTATTACH(face.form, place.lists.sent_list);
    load_window_lists(folder_no);
}

// The lists could not be loaded: the user is told to rebuild the database and the window closes
// without its close, so its cache is not written.
void loading_failed(int folder_no, int error_number) {
    files::close_all_files();
    const WindowGlobals& wg = globals_of(folder_no);
    const WindowFace& face = face_of_folder(folder_no);
    std::string title = "CAUTION !";
    if (wg.error_number_in_title) title += "  err.=, " + std::to_string(error_number);
    pf::inform(face.form, title,
               "データベースに問題が発生しました。"_sj + "\r\n" + "データベースの再構築を実行して再度「"_sj +
                   store::display_name(store::folder_place(folder_no)) + "」を表示して下さい。   "_sj);
    globals().*wg.open = 0;
    set_pointer(face.form, pf::MousePointer::Arrow);
    if (pf::forms().is_loaded("FORM5")) store::close_progress_window();
    pf::forms().unload(face.form);
    pause_steps(wg.pauses_before_main);
    back_to_main_window(0);
}

}  // namespace

void set_up_window(int folder_no) {
    if (!pf::forms().is_loaded(face_of_folder(folder_no).form)) return;
    try {
        set_up_steps(folder_no);
    } catch (const RuntimeError& e) {
        // Whatever stopped the loading, the user must not be left with a disabled window and a
        // hidden main window.
        loading_failed(folder_no, e.number());
    }
}

void leave_window(int folder_no, CacheSave save) {
    const WindowFace& face = face_of_folder(folder_no);
    globals().*globals_of(folder_no).open = 0;
    set_pointer(face.form, pf::MousePointer::Hourglass);
    MailList received = window_list(folder_no, true);
    if (save.pump_per_row) pf::EVENT_PUMP();
    files::remove_if_exists(received.cache);
    pause_steps(save.pauses);
    if (save.pump_per_row) {
        for (int i = 0; i < std::max(received.rows().count(), 1); ++i) pf::EVENT_PUMP();
    }
    write_cache_from_rows(received);
    set_pointer(face.form, pf::MousePointer::Arrow);
}

void close_window_by_user(int folder_no) {
    const WindowFace& face = face_of_folder(folder_no);
    leave_window(folder_no);
    pf::form(face.form).hide();
    pf::forms().unload(face.form);
    pf::pause(20);
    back_to_main_window(20);
}

int open_in_viewer(const std::string& form, const std::string& list, const std::string& files, int view_mode) {
    Globals& g = globals();
    g.VIEW_MODE = view_mode;
    pf::Form& f = pf::form(form);
    int row = f.control(list).selected();
    if (row < 0) return row;
    g.MAIL_FILE_NAME = store::listed_name(f.control(files), row + 1);
    g.SUBWIN_MAIL_FILE = g.MAIL_FILE_NAME;
    if (g.MAIL_FILE_NAME.empty()) return row;
    try {
        pf::forms().take_child_slot("FORM3");
    } catch (const RuntimeError&) {
        // Another window holds the slot; only the viewer would enable this window again.
        return row;
    }
    pf::forms().load("FORM3");
    f.set_enabled(false);
    f.set_topmost(false);
    return row;
}

void clear_other_selection(const std::string& form, const std::string& clicked, const std::string& other) {
    pf::Form& f = pf::form(form);
    if (f.control(clicked).count() > 0) f.control(other).select(-1);
}

}  // namespace tv::folders
