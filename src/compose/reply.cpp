#include "compose/reply.h"

#include <string>
#include <vector>

#include "common/displayed_subject.h"
#include "common/errors.h"
#include "common/globals.h"
#include "common/parse_result.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "compose/messages.h"
#include "compose/reply_quote.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/folder_places.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/receive_list.h"
#include "transfer/handover_files.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

enum class ReturnTo { Main, Trash, Folder };

// What the three replies differ in: the window and lists that name the mail, the store that holds
// it and where closing the compose window returns to.
struct ReplyMember {
    std::string window;     // owns the boxes; shows the hourglass and is disabled while the mail is read
    std::string row_list;   // its selected row names the mail
    std::string name_list;  // the file names parallel to the rows
    std::string mail_folder;
    ReturnTo return_to;
};

ReplyMember receive_member() {
    const store::MailStore& box = store::receive_box();
    return {"MAINFORM", store::receive_list().name(), box.mail_list, box.mail_folder, ReturnTo::Main};
}

ReplyMember folder_member(int folder_no, ReturnTo return_to) {
    const store::FolderWindowLists& lists = store::folder_place(folder_no).lists;
    return {lists.window, lists.received_list, lists.received_files, store::store_by_folder_no(folder_no).mail_folder,
            return_to};
}

// The window's pointer and enabled state while the mail is read, and back.
void busy(const std::string& window, bool on) {
    if (!pf::forms().is_loaded(window)) return;
    pf::Form& f = pf::form(window);
    f.set_pointer(on ? pf::MousePointer::Hourglass : pf::MousePointer::Arrow);
    f.set_enabled(!on);
}

void set_return_flags(ReturnTo to) {
    Globals& g = globals();
    g.REPLY_FROM_TRASH = to == ReturnTo::Trash ? 1 : 0;
    g.REPLY_FROM_FOLDER = to == ReturnTo::Folder ? 1 : 0;
}

void reply(const ReplyMember& m) {
    if (compose_window_busy(m.window)) return;
    pf::Form& f = pf::form(m.window);
    int row = f.control(m.row_list).selected();
    if (row < 0) {
        pf::inform(m.window, "NOT SELECT"_sj, "差出人が選択されていません。　"_sj);
        return;
    }
    Globals& g = globals();
    g.MAIL_FILE_NAME = trim(f.control(m.name_list).item(row));
    if (g.MAIL_FILE_NAME.empty()) return;
    set_return_flags(m.return_to);

    busy(m.window, true);
    ParseResult result = store::PARSE_MAIL(store::request_path(m.mail_folder, g.MAIL_FILE_NAME), store::ParseCaller::Reply);
    if (!result.complete() && result.status() != ParseResult::Status::Cut) {
        busy(m.window, false);
        pf::inform(m.window, "NOT READ !"_sj, "メールを読み込めませんでした。   "_sj);
        return;
    }
    std::string recipient = reply_recipient(sender_address(result.sender()));
    std::vector<std::string> body;
    for (const auto& line : result.body_lines()) body.push_back(ParseResult::shown_body_line(line));
    std::vector<std::string> quote = reply_quote(body);
    std::string subject = "Ｒｅ："_sj + displayed_subject(result.subject());
    try {
        transfer::hand_over_recipient(recipient);
        transfer::hand_over_draft(subject, quote);
    } catch (const RuntimeError&) {
        files::close_all_files();
        g.ATESAKI_PENDING = 0;
        g.HENSIN_PENDING = 0;
        busy(m.window, false);
        report_file_error(m.window, "返信を準備できませんでした。   "_sj,
                          std::string(transfer::kRecipientHandover) + ", " + transfer::kReplyDraft);
        return;
    }
    busy(m.window, false);
    // A topmost trash or folder window would cover the compose window opened from it.
    if (m.return_to != ReturnTo::Main && pf::forms().is_loaded(m.window)) pf::form(m.window).set_topmost(false);
    if (!pf::forms().is_loaded("FORM9")) pf::forms().load("FORM9");
    pf::form("FORM9").show();
}

}  // namespace

void BUTTON32_ON() { reply(receive_member()); }

void GOMIBAKO_HENSIN() { reply(folder_member(0, ReturnTo::Trash)); }

void FORDA_HENSIN() {
    const char* window = store::folder_place(1).lists.window;
    if (compose_window_busy(window)) return;
    int folder_no = globals().FOLDER_NO;
    if (folder_no < 1 || folder_no > 4) {
        // The trash window was opened over the folder window: which folder is shown is not known.
        pf::inform(window, "NOT SELECT"_sj, "返信するフォルダが分かりません。フォルダを開き直して下さい。   "_sj);
        return;
    }
    reply(folder_member(folder_no, ReturnTo::Folder));
}

}  // namespace tv::compose
