#include "store/silent_reindex.h"

#include "common/errors.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/progress_window.h"
#include "store/receive_list.h"
#include "store/summary_writer.h"

namespace tv::store {

namespace pf = tv::platform;

void D_SAIK_AOUTO() {
    // Inside another parse exchange every parse would be refused: the records stay as they are.
    if (parse_exchange_running()) return;
    pf::Form& main = pf::form("MAINFORM");
    try {
        main.enabled = false;
        main.changed();
        pf::Control& mails = work_list("LIST2");
        pf::Control& records = work_list("LIST33");
        mails.clear();
        records.clear();
        const MailStore& box = receive_box();
        LIST_FOLDER_FILES(box.record_folder, records);
        int count = LIST_FOLDER_FILES(box.mail_folder, mails);
        pf::pause(20);
        for (int i = 1; i <= records.count(); ++i) {
            files::remove_if_exists(files::join(box.record_folder, listed_name(records, i)));
        }
        pf::pause(20);
        if (count > 0) {
            for (int i = 1; i <= count; ++i) {
                std::string mail = listed_name(mails, i);
                ParseResult result = PARSE_MAIL(request_path(box.mail_folder, mail), ParseCaller::SilentReindex);
                pf::pause(20);
                WRITE_SUMMARY_RECORD(box.record_folder, mail, result);
                files::remove_if_exists(kReceiveCache);
            }
            pf::pause(20);
            pf::pause(20);
            fill_receive_list_from_records({RowDate::Record, false});
        }
        write_receive_cache();
        DRAW_BOX_COUNTS();
        close_progress_window();
        main.pointer = pf::MousePointer::Arrow;
        records.clear();
        main.enabled = true;
        main.changed();
        pf::input::focus(main);
    } catch (const RuntimeError&) {
        files::close_all_files();
        main.pointer = pf::MousePointer::Arrow;
        main.changed();
        pf::pause(20);
        pf::pause(20);
    }
}

}  // namespace tv::store
