#include "store/receive_list.h"

#include <algorithm>

#include "common/paths.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "store/mail_stores.h"

namespace tv::store {

using namespace tv::literals;
namespace pf = tv::platform;

pf::Control& receive_list() { return pf::form("MAINFORM").control("LIST3"); }

namespace {

std::string row_of_mail(const std::string& mail, RowDate rule) {
    return row_from_record(read_summary_record(files::join(receive_box().record_folder, SUMMARY_RECORD_NAME(mail))),
                           mail, rule);
}

// The rows of the box's mails `now`, a listing, from the rows of an earlier listing `before` (row i
// belongs to name i): a mail listed in both keeps its row as it stands, marks and all; a mail that
// came gets its row from its record; the row of a mail that left goes. Gives how many left.
std::size_t follow_listing(const std::vector<std::string>& before, std::vector<std::string>& rows,
                           const std::vector<std::string>& now) {
    std::vector<std::string> followed;
    std::size_t old = 0, left = 0;
    for (const std::string& name : now) {
        for (; old < before.size() && !files::same_name(before[old], name) && files::name_less(before[old], name); ++old) {
            ++left;
        }
        if (old < before.size() && files::same_name(before[old], name)) {
            followed.push_back(std::move(rows[old++]));
        } else {
            followed.push_back(row_of_mail(name, RowDate::Record));
        }
    }
    rows = std::move(followed);
    return left + (before.size() - old);
}

}  // namespace

void fill_receive_list_from_records(const RecordFill& how) {
    pf::Control& list = receive_list();
    pf::Control& mails = work_list("LIST2");
    list.clear();
    LIST_FOLDER_FILES(receive_box().record_folder, work_list("LIST33"));
    // Walk the mails, not the records: every mail gets exactly one row, read from its own record.
    for (int i = 1; i <= mails.count(); ++i) {
        std::string mail = listed_name(mails, i);
        std::string row = row_of_mail(mail, how.date_rule);
        if (how.pump_per_row) pf::EVENT_PUMP();
        list.add_item(std::move(row));
    }
    list.set_top_index(list.count() - 1);
}

bool add_rows_of_new_mail() {
    pf::Control& list = receive_list();
    pf::Control& mails = work_list("LIST2");
    if (list.count() != mails.count()) return false;
    std::vector<std::string> before;
    for (int i = 1; i <= mails.count(); ++i) before.push_back(listed_name(mails, i));
    std::vector<std::string> now = files::list_folder_files(receive_box().mail_folder);
    std::vector<std::string> rows = list.items();
    // A mail of the listing that is gone: the rows no longer pair with the files.
    if (follow_listing(before, rows, now) != 0) return false;
    list.set_items(std::move(rows));
    mails.set_items(std::move(now));
    write_receive_cache();
    return true;
}

void follow_finished_change(const std::vector<std::string>& left, const std::vector<std::string>& came) {
    if ((left.empty() && came.empty()) || !files::file_exists(kReceiveCache)) return;
    auto among = [](const std::vector<std::string>& names, const std::string& name) {
        return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return files::same_name(n, name); });
    };
    std::vector<std::string> now = files::list_folder_files(receive_box().mail_folder);
    // The box as the cache still lists it, before the change.
    std::vector<std::string> before;
    for (const std::string& name : now) {
        if (!among(came, name)) before.push_back(name);
    }
    for (const std::string& name : left) {
        if (!among(now, name)) before.push_back(name);
    }
    files::sort_names(before);
    std::vector<std::string> rows = load_list_cache(kReceiveCache);
    if (rows.size() != before.size() || before.size() == now.size()) return;
    follow_listing(before, rows, now);
    write_list_cache(kReceiveCache, rows);
}

void REFILL_RECEIVE_LIST() { fill_receive_list_from_records({RowDate::ReceiptIfOther, true}); }

void DRAW_BOX_COUNTS() {
    pf::Form& main = pf::form("MAINFORM");
    main.fill_color = pf::kFace;
    main.fore_color = pf::kFace;
    main.draw_filled_box(612, 375, 1600, 413, pf::kFace, pf::kFace);
    main.font = pf::mincho(14, pf::SizeUnit::Pixels);
    std::string receive = "[ 受信ボックス内メール数： "_sj + std::to_string(receive_list().count()) + " 通 ]"_sj;
    std::string send = "[ 送信ボックス内メール数： "_sj + std::to_string(main.control("LIST1").count()) + " 通 ]"_sj;
    pf::engraved_text(main, 745, 379, receive);
    pf::engraved_text(main, 745, 397, send);
}

void write_receive_cache() { write_list_cache(kReceiveCache, receive_list().items()); }

}  // namespace tv::store
