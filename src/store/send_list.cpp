#include "store/send_list.h"

#include "common/paths.h"
#include "common/send_list_row.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "store/mail_stores.h"

namespace tv::store {

namespace pf = tv::platform;

void refill_send_list(bool pump_per_row) {
    pf::Control& list = pf::form("MAINFORM").control("LIST1");
    pf::Control& sent = work_list("LIST5");
    list.clear();
    LIST_FOLDER_FILES(kSentFolder, sent);
    for (int i = 1; i <= sent.count(); ++i) {
        if (pump_per_row) pf::EVENT_PUMP();
        std::string name = listed_name(sent, i);
        auto lines = read_sent_file(files::join(kSentFolder, name));
        if (pump_per_row) pf::EVENT_PUMP();
        list.add_item(build_send_row(lines, name));
    }
}

}  // namespace tv::store
