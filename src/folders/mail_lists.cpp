#include "folders/mail_lists.h"

#include "common/folder_list_row.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/send_list_row.h"
#include "folders/folder_windows.h"
#include "platform/events.h"
#include "store/folder_places.h"
#include "store/mail_stores.h"
#include "store/receive_list.h"
#include "store/send_list.h"

namespace tv::folders {

namespace pf = tv::platform;

pf::Control& MailList::rows() const { return pf::form(form).control(list); }
pf::Control& MailList::listing() const { return pf::form(form).control(files); }

MailList main_received_list() {
    const store::MailStore& box = store::receive_box();
    return {ListKind::MainReceived, "MAINFORM", "LIST3", box.mail_list, box.mail_folder, box.record_folder,
            store::kReceiveCache};
}

MailList main_sent_list() {
    return {ListKind::MainSent, "MAINFORM", "LIST1", "LIST5", store::kSentFolder, "", ""};
}

bool is_user_folder(int folder_no) { return folder_no >= 1 && folder_no <= 4; }

int shown_folder() { return is_user_folder(globals().FOLDER_NO) ? globals().FOLDER_NO : -1; }

MailList window_list(int folder_no, bool received) {
    const store::FolderPlace& place = store::folder_place(folder_no);
    const store::MailStore& store = store::store_by_folder_no(place.folder_no);
    const store::FolderWindowLists& lists = place.lists;
    if (received) {
        return {ListKind::FolderReceived, lists.window, lists.received_list, lists.received_files,
                store.mail_folder,        store.record_folder, store.cache};
    }
    return {ListKind::FolderSent, lists.window, lists.sent_list, lists.sent_files, store.sent_folder, "", ""};
}

void rebuild_sent_rows(const MailList& list, bool pump_per_row) {
    if (list.kind == ListKind::MainSent) {
        store::refill_send_list(pump_per_row);
        return;
    }
    pf::Control& rows = list.rows();
    pf::Control& files = list.listing();
    rows.clear();
    store::LIST_FOLDER_FILES(list.mail_folder, files);
    std::vector<std::string> built;
    for (int i = 1; i <= files.count(); ++i) {
        std::string name = store::listed_name(files, i);
        std::string row = folder_sent_row(read_sent_file(files::join(list.mail_folder, name)), name);
        if (pump_per_row) {
            pf::EVENT_PUMP();
            rows.add_item(std::move(row));
        } else {
            built.push_back(std::move(row));
        }
    }
    if (!pump_per_row) rows.set_items(std::move(built));
}

void write_cache_from_rows(const MailList& list) {
    if (list.kind == ListKind::MainReceived) {
        store::write_receive_cache();
    } else if (!list.cache.empty()) {
        write_list_cache(list.cache, list.rows().items());
    }
}

void redraw_count(const MailList& list) {
    if (list.kind == ListKind::MainReceived || list.kind == ListKind::MainSent) {
        store::DRAW_BOX_COUNTS();
        return;
    }
    draw_count_line(list.form, list.received(), list.rows().count());
}

}  // namespace tv::folders
