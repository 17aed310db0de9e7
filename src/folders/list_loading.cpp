#include "folders/list_loading.h"

#include "common/folder_list_row.h"
#include "common/paths.h"
#include "common/summary_record.h"
#include "folders/folder_windows.h"
#include "folders/list_repair.h"
#include "folders/mail_lists.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/folder_places.h"
#include "store/mail_stores.h"

namespace tv::folders {

namespace pf = tv::platform;

namespace {

// Each row from the record named after its mail (a missing or empty record still gives a row).
void rebuild_from_records(pf::Control& rows, const pf::Control& mails, const store::MailStore& store) {
    rows.clear();
    for (int i = 1; i <= mails.count(); ++i) {
        std::string mail = store::listed_name(mails, i);
        auto record = read_summary_record(files::join(store.record_folder, SUMMARY_RECORD_NAME(mail)));
        pf::EVENT_PUMP();
        rows.add_item(folder_received_row(record, mail));
    }
}

// True when the received list had to be repaired through the parse script.
bool load_received_rows(int folder_no) {
    const store::FolderPlace& place = store::folder_place(folder_no);
    const store::MailStore& store = store::store_by_folder_no(folder_no);
    pf::Form& window = pf::form(place.lists.window);
    pf::Control& rows = window.control(place.lists.received_list);
    pf::Control& mails = window.control(place.lists.received_files);
    pf::Control& records = window.control(place.lists.record_files);

    rows.clear();
    window.control(place.lists.sent_list).clear();
    if (store::LIST_FOLDER_FILES(store.mail_folder, mails) == 0) return false;
    if (folder_no == 0) {
        for (const char* folder : {"GOMIBAKO", store.mail_folder, store.sent_folder}) files::make_folder(folder);
    }
    store::LIST_FOLDER_FILES(store.record_folder, records);
    pf::pause(20);
    if (files::file_exists(store.cache)) {
        int cached = count_list_cache(store.cache);
        if (folder_no != 0) pf::pause(20);
        if (cached == mails.count() && cached == records.count()) {
            rows.set_items(load_list_cache(store.cache));
            return false;
        }
        files::remove_if_exists(store.cache);
    }
    if (!store::records_pair_with_mails(mails, records)) {
        repair_received_list(folder_no);
        return true;
    }
    rebuild_from_records(rows, mails, store);
    rows.set_top_index(rows.count() - 1);
    write_list_cache(store.cache, rows.items());
    return false;
}

}  // namespace

void load_window_lists(int folder_no) {
    bool repaired = load_received_rows(folder_no);
    if (repaired) advise_database_rebuild(folder_no);
    for (bool received : {true, false}) {
        MailList list = window_list(folder_no, received);
        if (!received) rebuild_sent_rows(list, true);
        pf::Control& rows = list.rows();
        rows.set_top_index(rows.count() - 1);
        redraw_count(list);
    }
    pf::Form& window = pf::form(store::folder_place(folder_no).lists.window);
    window.set_enabled(true);
    window.pointer = pf::MousePointer::Arrow;
    window.changed();
}

}  // namespace tv::folders
