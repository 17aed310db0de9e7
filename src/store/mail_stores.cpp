#include "store/mail_stores.h"

#include "common/paths.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "platform/platform.h"

namespace tv::store {

namespace {
const std::array<MailStore, 6> kStores{{
    {"receive box", -1, "JUSINBOX", "SYSTEM_F\\F_D_F", "SOUSINBOX", "SYSTEM_F\\F_JU.txt", "LIST2",
     "ＦＩＲＳＴ・・・・・・", false, "FIRST    ：", 20},
    {"trash", 0, "GOMIBAKO\\JUSIN_FO", "GOMIBAKO\\F_D_F", "GOMIBAKO\\SOUSIN_FO", "SYSTEM_F\\G_JU.txt", "LIST34",
     "GOMIBAKO・・・・・・", false, "GOMIBAKO ：", 20},
    {"JOB", 1, "SYSTEM_F\\FORDA_FO\\JOB\\JUSIN_FO", "SYSTEM_F\\FORDA_FO\\JOB\\JUSIN_FO\\F_D_F",
     "SYSTEM_F\\FORDA_FO\\JOB\\SOUSIN_FO", "SYSTEM_F\\JOB_F_JU.txt", "LIST34", "ＪＯＢ・・・・・・", false,
     "ＪＯＢ   ：", 100},
    {"PRIVATE", 2, "SYSTEM_F\\FORDA_FO\\PRIVATE\\JUSIN_FO", "SYSTEM_F\\FORDA_FO\\PRIVATE\\JUSIN_FO\\F_D_F",
     "SYSTEM_F\\FORDA_FO\\PRIVATE\\SOUSIN_FO", "SYSTEM_F\\PRI_F_JU.txt", "LIST34", "ＰＲＩＶＡＴＥ・・・・・・", true,
     "PRIVATE  ：", 100},
    {"HOBBY", 3, "SYSTEM_F\\FORDA_FO\\HOBBY\\JUSIN_FO", "SYSTEM_F\\FORDA_FO\\HOBBY\\JUSIN_FO\\F_D_F",
     "SYSTEM_F\\FORDA_FO\\HOBBY\\SOUSIN_FO", "SYSTEM_F\\HOB_F_JU.txt", "LIST34", "ＨＯＢＢＹ・・・・・・", true,
     "HOBBY    ：", 100},
    {"ANOTHER", 4, "SYSTEM_F\\FORDA_FO\\ANOTHER\\JUSIN_FO", "SYSTEM_F\\FORDA_FO\\ANOTHER\\JUSIN_FO\\F_D_F",
     "SYSTEM_F\\FORDA_FO\\ANOTHER\\SOUSIN_FO", "SYSTEM_F\\ANO_F_JU.txt", "LIST34", "ＡＮＯＴＨＥＲ・・・・・・", true,
     "ANOTHER  ：", 100},
}};
}  // namespace

const std::array<MailStore, 6>& mail_stores() { return kStores; }
const MailStore& receive_box() { return kStores[0]; }
const MailStore& trash_store() { return kStores[1]; }

const MailStore& store_by_folder_no(int folder_no) {
    for (const auto& store : kStores) {
        if (store.folder_no == folder_no) return store;
    }
    return kStores[1];
}

platform::Control& work_list(const char* name) { return platform::form("MAINFORM").control(name); }

int LIST_FOLDER_FILES(std::string_view folder, platform::Control& list) {
    list.set_items(files::list_folder_files(folder));
    return list.count();
}

std::string listed_name(const platform::Control& list, int i) { return trim(list.item(i - 1)); }

bool records_pair_with_mails(const platform::Control& mails, const platform::Control& records) {
    if (mails.count() != records.count()) return false;
    for (int i = 1; i <= mails.count(); ++i) {
        if (!files::same_name(listed_name(records, i), SUMMARY_RECORD_NAME(listed_name(mails, i)))) return false;
    }
    return true;
}

bool needs_first_run_rebuild(int record_count, int mail_count) { return record_count == 0 && mail_count > 0; }

void CLEAR_STORE_RECORDS(const MailStore& store) {
    platform::Control& records = work_list("LIST33");
    platform::pause(20);
    for (int i = 1; i <= records.count(); ++i) {
        std::string path = files::join(store.record_folder, listed_name(records, i));
        if (files::file_exists(path)) files::remove_file(path);
    }
    platform::pause(20);
}

}  // namespace tv::store
