#include "folders/mail_moves.h"

#include <vector>

#include "common/errors.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "folders/file_moves.h"
#include "folders/window_steps.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/folder_places.h"
#include "store/mail_stores.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

void report_failed_move(const MailList& from, const Destination& to) {
    pf::inform(from.form, "NOT MOVED !",
               "メールを「"_sj + to.name + "」に移動できませんでした。    "_sj + "\r\n\r\n" +
                   "メールは元の場所に残っています。    "_sj);
}

// The name at the row's place in the listing; empty past its end.
std::string name_at(const MailList& list, int row) {
    const pf::Control& files = list.listing();
    return row >= 0 && row < files.count() ? store::listed_name(files, row + 1) : std::string();
}

std::string record_of(const MailList& list, const std::string& name) {
    return files::join(list.record_folder, SUMMARY_RECORD_NAME(name));
}

// The row leaves with its mail: a mail whose file is still there (it could not be deleted) keeps
// its row, so row i stays mail i. The rows go back to the cache exactly as shown.
void settle_rows(const MailList& list, int row, const std::string& name, const StepPauses& pauses) {
    if (!list.received()) {
        rebuild_sent_rows(list, false);
        return;
    }
    if (!name.empty() && files::file_exists(files::join(list.mail_folder, name))) return;
    pf::Control& rows = list.rows();
    std::vector<std::string> kept = rows.items();
    if (row < static_cast<int>(kept.size())) kept.erase(kept.begin() + row);
    rows.set_items(std::move(kept));
    try {
        write_cache_from_rows(list);
    } catch (const RuntimeError&) {
        // The next opening finds the cache out of step with the store and rebuilds it.
    }
    pause_steps(pauses.cache + pauses.rows);
}

void settle_view(const MailList& list, int top, int row, ViewAfter view) {
    pf::Control& rows = list.rows();
    int count = rows.count();
    rows.set_top_index(view.scroll_to_end ? count - 1 : top);
    if (row < count) {
        rows.select(row);
    } else {
        rows.select(view.fall_back_to_last ? count - 1 : -1);
    }
    redraw_count(list);
}

void refill_listing(const MailList& list, const StepPauses& pauses) {
    pause_steps(pauses.listing / 2);
    store::LIST_FOLDER_FILES(list.mail_folder, list.listing());
    pause_steps(pauses.listing - pauses.listing / 2);
}

}  // namespace

Destination box_destination(bool received) {
    const store::MailStore& box = store::receive_box();
    if (received) return {box.mail_folder, box.record_folder, "受信ボックス"_sj};
    return {box.sent_folder, "", "送信ボックス"_sj};
}

Destination folder_destination(int folder_no, bool received) {
    const store::MailStore& store = store::store_by_folder_no(folder_no);
    const std::string& name = store::display_name(store::folder_place(folder_no));
    if (received) return {store.mail_folder, store.record_folder, name};
    return {store.sent_folder, "", name};
}

bool move_mail(const MailList& from, int row, const Destination& to, ViewAfter view, const StepPauses& pauses) {
    // A window closed while its question was up has no list left to act on.
    if (row < 0 || !pf::forms().is_loaded(from.form) || files::same_name(from.mail_folder, to.mail_folder)) return false;
    int top = from.rows().top_index();
    pause_steps(pauses.start);
    std::string name = name_at(from, row);
    if (name.empty() && !from.received()) return false;
    if (!name.empty()) {
        std::vector<FileMove> moves{{files::join(from.mail_folder, name), files::join(to.mail_folder, name),
                                     pauses.mail_copy, pauses.mail_remove}};
        if (from.received()) {
            pause_steps(pauses.records);
            std::string record = SUMMARY_RECORD_NAME(name);
            moves.push_back({files::join(from.record_folder, record), files::join(to.record_folder, record),
                             pauses.record_copy, pauses.record_remove});
        }
        if (!move_files(moves)) {
            report_failed_move(from, to);
            return false;
        }
    }
    settle_rows(from, row, name, pauses);
    refill_listing(from, pauses);
    settle_view(from, top, row, view);
    return true;
}

void delete_mail(const MailList& list, int row, ViewAfter view, const StepPauses& pauses) {
    if (row < 0 || !pf::forms().is_loaded(list.form)) return;
    int top = list.rows().top_index();
    pause_steps(pauses.start);
    std::string name = name_at(list, row);
    if (name.empty() && !list.received()) return;
    if (!name.empty()) {
        std::string mail = files::join(list.mail_folder, name);
        remove_quietly(mail);
        pause_steps(pauses.mail_remove);
        if (list.received()) {
            pause_steps(pauses.records);
            // A mail that stays keeps its record.
            if (!files::file_exists(mail)) remove_quietly(record_of(list, name));
            pause_steps(pauses.record_remove);
        }
    }
    settle_rows(list, row, name, pauses);
    refill_listing(list, pauses);
    settle_view(list, top, row, view);
}

void delete_all_mail(const MailList& list) {
    if (!pf::forms().is_loaded(list.form)) return;
    if (list.received() && !list.cache.empty()) {
        remove_quietly(list.cache);
        pause_steps(1);
    }
    pf::Control& files = list.listing();
    for (int i = 1; i <= files.count(); ++i) {
        std::string name = store::listed_name(files, i);
        if (!name.empty()) remove_quietly(files::join(list.mail_folder, name));
        pause_steps(1);
    }
    if (list.received()) {
        // Every record goes, a stray one too: nothing of the store's received mail stays described.
        pause_steps(2);
        for (const std::string& record : files::list_folder_files(list.record_folder)) {
            remove_quietly(files::join(list.record_folder, record));
            pause_steps(1);
        }
    }
    // What could not be deleted stays listed, one row per file as the window builds it next.
    store::LIST_FOLDER_FILES(list.mail_folder, files);
    pf::Control& rows = list.rows();
    rows.clear();
    if (!list.received()) rebuild_sent_rows(list, false);
    redraw_count(list);
}

}  // namespace tv::folders
