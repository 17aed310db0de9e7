#include "store/database_rebuild.h"

#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "store/parse_exchange.h"
#include "store/progress_window.h"
#include "store/rebuild_progress.h"
#include "store/receive_list.h"
#include "store/summary_writer.h"

namespace tv::store {

using namespace tv::literals;
namespace pf = tv::platform;

bool REBUILD_STORE_PASS(const MailStore& store) {
    // Inside another parse exchange every parse would be refused: the records stay as they are.
    if (parse_exchange_running()) return false;
    LIST_FOLDER_FILES(store.record_folder, work_list("LIST33"));
    pf::Control& mails = work_list(store.mail_list);
    int count = LIST_FOLDER_FILES(store.mail_folder, mails);
    CLEAR_STORE_RECORDS(store);
    if (count == 0) return false;
    SHOW_REBUILD_PROGRESS(ProgressForm::DatabaseRebuild, sj(store.rebuild_banner));
    for (int i = 1; i <= count; ++i) {
        std::string mail = listed_name(mails, i);
        ParseResult result = PARSE_MAIL(request_path(store.mail_folder, mail), ParseCaller::Rebuild);
        pf::pause(20);
        WRITE_SUMMARY_RECORD(store.record_folder, mail, result);
        files::remove_if_exists(store.cache);
        if (i == count) {
            pf::pause(20);
        } else {
            STEP_REBUILD_PROGRESS(i, count);
        }
    }
    STEP_REBUILD_PROGRESS(count, count);
    pf::pause(store.final_pause_ms);
    return true;
}

void D_SAIKOUTIKU_ON() {
    if (parse_exchange_running()) return;  // asked for inside a parse exchange: nothing is rebuilt
    std::string text = "データベースの再構築を行います。 "_sj + "\r\n\r\n" + "保存されているメールのデータベースを整理します。 "_sj +
                       "\r\n" + "この操作は、ユーザーによって定期的に行う必要があります。 "_sj + "\r\n\r\n" +
                       "よろしいですか？   "_sj;
    if (pf::message_box("MAINFORM", "データベースの再構築"_sj, text, pf::MsgButtons::YesNo, pf::MsgIcon::Question) !=
        pf::MsgAnswer::Yes) {
        files::close_all_files();
        return;
    }
    pf::Form& main = pf::form("MAINFORM");
    main.enabled = false;
    main.changed();
    for (const char* name : {"LIST2", "LIST33", "LIST34"}) work_list(name).clear();

    if (REBUILD_STORE_PASS(receive_box())) {
        REFILL_RECEIVE_LIST();
    } else {
        // An empty receive box has no rows, whatever the list showed before.
        receive_list().clear();
    }
    DRAW_BOX_COUNTS();
    for (std::size_t s = 1; s < mail_stores().size(); ++s) REBUILD_STORE_PASS(mail_stores()[s]);

    write_receive_cache();
    close_progress_window();
    main.pointer = pf::MousePointer::Arrow;
    main.changed();
    work_list("LIST33").clear();
    work_list("LIST34").clear();
    pf::inform("MAINFORM", "データベースの再構築"_sj, "データベースの再構築は、正常に終了しました。   "_sj);
    main.enabled = true;
    main.changed();
    pf::input::focus(main);
}

}  // namespace tv::store
