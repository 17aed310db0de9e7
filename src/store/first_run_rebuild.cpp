#include "store/first_run_rebuild.h"

#include "common/sjis.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/rebuild_progress.h"
#include "store/summary_writer.h"

namespace tv::store {

using namespace tv::literals;

void FIRST_RUN_REBUILD() {
    for (const char* name : {"LIST2", "LIST33", "LIST34"}) work_list(name).clear();
    for (const MailStore& store : mail_stores()) {
        int records = LIST_FOLDER_FILES(store.record_folder, work_list("LIST33"));
        platform::Control& mails = work_list(store.mail_list);
        int count = LIST_FOLDER_FILES(store.mail_folder, mails);
        if (!needs_first_run_rebuild(records, count)) continue;
        const std::string& wait = "しばらくお待ち下さい・・・・・・"_sj;
        SHOW_REBUILD_PROGRESS(ProgressForm::FirstRun, sj(store.first_run_banner),
                              store.long_wait_line ? wait + "      " : wait);
        for (int i = 1; i <= count; ++i) {
            std::string mail = listed_name(mails, i);
            ParseResult result = PARSE_MAIL(request_path(store.mail_folder, mail), ParseCaller::Rebuild);
            platform::pause(20);
            WRITE_SUMMARY_RECORD(store.record_folder, mail, result);
        }
        CLOSE_REBUILD_PROGRESS();
    }
    for (const char* name : {"LIST2", "LIST33", "LIST34"}) work_list(name).clear();
}

}  // namespace tv::store
