#include "shell/program_exit.h"

#include <string>
#include <string_view>
#include <vector>

#include "common/answering_log.h"
#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "folders/file_moves.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/receive_list.h"

namespace tv::shell {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

bool answered_no(const std::string& title, const std::string& text) {
    return pf::message_box("MAINFORM", title, text, pf::MsgButtons::YesNo, pf::MsgIcon::Question) ==
           pf::MsgAnswer::No;
}

// The two questions; false when the user keeps the program running.
bool exit_confirmed() {
    if (pf::forms().is_loaded("FORM9") &&
        answered_no("メール作成中"_sj, "メールを作成中です。  終了してよろしいですか？   "_sj)) {
        return false;
    }
    if (!files::list_folder_files("SYSTEM_F\\BADSOU").empty() &&
        answered_no("未送信メール"_sj,
                    "送信していないメールがあります。「未送信メール」ボタンで確認して下さい。   "_sj + "\r\n\r\n" +
                        "プログラムを終了しますか？　　"_sj)) {
        files::close_all_files();
        return false;
    }
    return true;
}

// The pauses between deleted files hold the exit up at most this long in all: a mail with
// thousands of attachments must not keep the program running for minutes.
constexpr int kMaxDeletePausesMs = 1000;

// Deletes the files a listing named, each if it is still there.
void delete_listed(std::string_view folder, const std::vector<std::string>& names, int pause_each) {
    int paused = 0;
    for (const auto& name : names) {
        files::remove_if_exists(files::join(folder, trim(name)));
        if (pause_each > 0 && paused + pause_each <= kMaxDeletePausesMs) {
            pf::pause(pause_each);
            paused += pause_each;
        }
    }
}

// The trash's mail goes for good as one written-down change, each received mail with its record,
// so that a kill at any point leaves no mail without its record and no record without its mail:
// the next start finishes what was begun.
void empty_trash() {
    const store::MailStore& trash = store::trash_store();
    std::vector<std::string> received = files::list_folder_files(trash.mail_folder);
    pf::pause(20);
    std::vector<folders::MailFiles> mails = folders::mail_files(trash.mail_folder, trash.record_folder, received);
    std::vector<std::string> strays;
    if (!received.empty()) strays = folders::records_of_no_mail(trash.record_folder, mails);
    std::vector<std::string> sent = files::list_folder_files(trash.sent_folder);
    pf::pause(20);
    for (folders::MailFiles& m : folders::mail_files(trash.sent_folder, "", sent)) mails.push_back(std::move(m));
    if (mails.empty() && strays.empty()) return;
    folders::delete_mails(mails, strays, {0, 1, 0});
}

[[noreturn]] void leave_program() {
    pf::Form& main = pf::form("MAINFORM");
    main.pointer = pf::MousePointer::Hourglass;
    main.changed();
    // The list with its marks as they stand is what the next start shows.
    pf::pause(20);
    store::write_receive_cache();
    if (numeric_value(globals().EMPTY_TRASH_AT_EXIT) > 0) empty_trash();
    // Copies opened in the mail program and saved attachments are not needed after the run.
    pf::pause(20);
    std::vector<std::string> copies = files::list_folder_files("SYSTEM_F\\DUSEACT");
    pf::pause(20);
    delete_listed("SYSTEM_F\\DUSEACT", copies, 0);
    pf::pause(20);
    // Mails that wait for an answering check must not send another mail's file saved later under
    // the same name; when that cannot be written down, the attachments stay for the next exit.
    bool names_forgotten = true;
    try {
        forget_logged_attachments();
    } catch (const RuntimeError&) {
        files::close_all_files();
        names_forgotten = false;
    }
    std::vector<std::string> attachments = names_forgotten ? files::list_folder_files("TENPFIL") : std::vector<std::string>{};
    pf::pause(20);
    delete_listed("TENPFIL", attachments, 20);
    if (!attachments.empty()) pf::pause(20);
    pf::pause(20);
    main.pointer = pf::MousePointer::Arrow;
    main.changed();
    pf::end_program();
}

}  // namespace

void MAINFORM_QUERYCLOSE() {
    const pf::Form& main = pf::form("MAINFORM");
    if (!main.enabled && pf::input::close_mode() != pf::input::CloseMode::SessionEnd) {
        pf::input::refuse_close();
        return;
    }
    if (!exit_confirmed()) {
        pf::input::refuse_close();
        return;
    }
    leave_program();
}

void SYUURYOU_ON() {
    if (!exit_confirmed()) return;
    leave_program();
}

}  // namespace tv::shell
