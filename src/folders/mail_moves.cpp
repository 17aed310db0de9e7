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
#include "store/receive_list.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

void report_failed_move(const MailList& from, const Destination& to, FilesOutcome outcome) {
    pf::inform(from.form, "NOT MOVED !",
               "メールを「"_sj + to.name + "」に移動できませんでした。    "_sj + "\r\n\r\n" +
                   (outcome == FilesOutcome::Unfinished ? "移動は次回の起動時に完了します。    "_sj
                                                        : "メールは元の場所に残っています。    "_sj));
}

void report_failed_delete(const MailList& list, bool several) {
    pf::inform(list.form, "NOT DELETED !",
               several ? "削除できなかったメールがあります。    "_sj + "\r\n\r\n" + "そのメールは元の場所に残っています。    "_sj
                       : "メールを削除できませんでした。    "_sj + "\r\n\r\n" + "メールは元の場所に残っています。    "_sj);
}

// The mail's name in the destination; when it or its record's name is taken there, the first
// free name made from it (the name before its extension, "_" and a number), which sorts right
// after it. A file of the destination is never replaced.
std::string free_name(const Destination& to, const std::string& name) {
    auto taken = [&to](const std::string& candidate) {
        return files::file_exists(files::join(to.mail_folder, candidate)) ||
               (!to.record_folder.empty() &&
                files::file_exists(files::join(to.record_folder, SUMMARY_RECORD_NAME(candidate))));
    };
    if (!taken(name)) return name;
    std::size_t dot = name.rfind('.');  // never a trail byte of a double-byte character
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    for (int n = 1;; ++n) {
        std::string candidate = base + "_" + std::to_string(n) + extension;
        if (!taken(candidate)) return candidate;
    }
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

// The lists of both ends of a move: the receive list takes a mail that came into the box at its
// place, so that no other row loses its mark.
void settle_lists(const MailList& from, int row, const std::string& name, const Destination& to,
                  const StepPauses& pauses) {
    settle_rows(from, row, name, pauses);
    if (to.record_folder.empty() || !files::same_name(to.mail_folder, store::receive_box().mail_folder)) return;
    try {
        store::add_rows_of_new_mail();
    } catch (const RuntimeError&) {
        // The main window's load finds its cache out of step and rebuilds the list.
    }
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
        std::string new_name = free_name(to, name);
        std::vector<FileMove> moves{{files::join(from.mail_folder, name), files::join(to.mail_folder, new_name),
                                     pauses.mail_copy + pauses.mail_remove}};
        if (from.received()) {
            pause_steps(pauses.records);
            moves.push_back({record_of(from, name), files::join(to.record_folder, SUMMARY_RECORD_NAME(new_name)),
                             pauses.record_copy + pauses.record_remove});
        }
        FilesOutcome outcome = move_files(moves, [&] { settle_lists(from, row, name, to, pauses); });
        if (outcome != FilesOutcome::Done) {
            report_failed_move(from, to, outcome);
            if (outcome == FilesOutcome::Stayed) return false;
        }
    } else {
        settle_rows(from, row, name, pauses);
    }
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
        MailFiles mail{files::join(list.mail_folder, name), list.received() ? record_of(list, name) : ""};
        if (!delete_mails({mail}, {}, {pauses.mail_remove, pauses.records, pauses.record_remove})[0]) {
            report_failed_delete(list, false);
            return;
        }
    }
    settle_rows(list, row, name, pauses);
    refill_listing(list, pauses);
    settle_view(list, top, row, view);
}

void delete_all_mail(const MailList& list) {
    if (!pf::forms().is_loaded(list.form)) return;
    if (list.received() && !list.cache.empty()) {
        try {
            files::remove_if_exists(list.cache);
        } catch (const RuntimeError&) {
            // The rows are written back below, so a cache that stays still matches the list.
        }
        pause_steps(1);
    }
    pf::Control& files = list.listing();
    std::vector<std::string> names;
    for (int i = 1; i <= files.count(); ++i) names.push_back(store::listed_name(files, i));
    std::vector<MailFiles> mails = mail_files(list.mail_folder, list.record_folder, names);
    // Every record of no listed mail goes too: nothing of the store's received mail stays described.
    std::vector<std::string> strays = list.received() ? records_of_no_mail(list.record_folder, mails) : std::vector<std::string>{};
    std::vector<bool> went = delete_mails(mails, strays, {1, list.received() ? 2 : 0, 1});
    // What could not be deleted stays listed with its row.
    std::vector<std::string> kept;
    std::vector<std::string> rows = list.rows().items();
    bool stayed = false;
    for (std::size_t i = 0; i < went.size(); ++i) {
        if (went[i]) continue;
        stayed = true;
        if (i < rows.size()) kept.push_back(rows[i]);
    }
    store::LIST_FOLDER_FILES(list.mail_folder, files);
    pf::Control& shown = list.rows();
    if (list.received()) {
        shown.set_items(std::move(kept));
        if (stayed) {
            try {
                write_cache_from_rows(list);
            } catch (const RuntimeError&) {
            }
        }
    } else {
        rebuild_sent_rows(list, false);
    }
    redraw_count(list);
    if (stayed) report_failed_delete(list, true);
}

}  // namespace tv::folders
