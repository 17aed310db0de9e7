#include "folders/list_repair.h"

#include "common/exchange_files.h"
#include "common/folder_list_row.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "folders/window_steps.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/folder_places.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/progress_window.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// The progress window as each window shows it while it repairs.
struct RepairFace {
    bool shrink;  // the trash shows it smaller until its own size comes back at the first pump
    int working_y, wait_y;
};

constexpr RepairFace kTrashRepair{true, 56, 74};
constexpr RepairFace kFolderRepair{false, 66, 94};

void show_progress_window(int folder_no) {
    const RepairFace& face = folder_no == 0 ? kTrashRepair : kFolderRepair;
    if (!pf::forms().is_loaded("FORM5")) pf::forms().load("FORM5");
    pf::Form& wait = pf::form("FORM5");
    wait.background = pf::kFace;
    wait.clear_drawing();
    if (face.shrink) {
        wait.set_window_state(pf::WindowState::Normal);
        wait.set_size(475, 108);
    }
    wait.show();
    wait.font = pf::mincho(30, pf::SizeUnit::Pixels, true, true);
    pf::engraved_text(wait, 20, 3, program_caption(), 2);
    wait.font.size = 18;
    pf::engraved_text(wait, 30, face.working_y, "*** DataBase 再構築中 ***"_sj);
    wait.font.size = 21;
    pf::engraved_text(wait, 30, face.wait_y, "Please Wait ･････････"_sj);
    wait.font.bold = false;
    wait.font.italic = false;
    wait.caption = "データベースの再構築"_sj;
    wait.changed();
}

void close_repair_progress() {
    if (!pf::forms().is_loaded("FORM5")) return;
    set_pointer("FORM5", pf::MousePointer::Arrow);
    store::close_progress_window();
}

}  // namespace

void repair_received_list(int folder_no) {
    const store::FolderPlace& place = store::folder_place(folder_no);
    const store::MailStore& store = store::store_by_folder_no(folder_no);
    pf::Form& window = pf::form(place.lists.window);
    pf::Control& rows = window.control(place.lists.received_list);
    const pf::Control& mails = window.control(place.lists.received_files);
    set_pointer(place.lists.window, pf::MousePointer::Hourglass);
    files::remove_if_exists(exchange::kParseResultFile);
    files::remove_if_exists(exchange::kRequestFile);
    for (int i = 1; i <= mails.count(); ++i) {
        std::string mail = store::listed_name(mails, i);
        if (i == 1) show_progress_window(folder_no);
        pf::form("FORM5").set_topmost(true);
        ParseResult result =
            store::PARSE_MAIL(store::request_path(store.mail_folder, mail), store::ParseCaller::FolderListRepair);
        pf::EVENT_PUMP();
        // Every mail gets its row, also one whose result was cut short or never came.
        rows.add_item(folder_received_row(summary_items_of(result), mail));
    }
    write_list_cache(store.cache, rows.items());
    set_pointer(place.lists.window, pf::MousePointer::Arrow);
    close_repair_progress();
    window.set_topmost(true);
}

void advise_database_rebuild(int folder_no) {
    const store::FolderPlace& place = store::folder_place(folder_no);
    files::remove_if_exists(store::store_by_folder_no(folder_no).cache);
    close_repair_progress();
    pf::inform(place.lists.window, "データベースの再構築"_sj,
               "メールの表示異常があります。"_sj + "\r\n" + "データベースの再構築を実行して下さい。     "_sj);
}

}  // namespace tv::folders
