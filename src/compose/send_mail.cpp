#include "compose/send_mail.h"

#include "common/errors.h"
#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "compose/compose_window.h"
#include "compose/composed_mail.h"
#include "compose/messages.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/timers.h"
#include "transfer/handover_files.h"
#include "transfer/send.h"
#include "transfer/unsent_store.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

const std::string& kept_open_text() { return "作成中のメールはそのまま残っています。   "_sj; }

// Writes the request; a file error is told and the compose window keeps the mail.
bool write_request(const std::vector<std::string>& lines) {
    try {
        files::write_lines(exchange::kSendRequestFile, lines);
    } catch (const RuntimeError&) {
        files::close_all_files();
        report_file_error("FORM9", "メールを書き込めませんでした。   "_sj + "\r\n" + kept_open_text(),
                          exchange::kSendRequestFile);
        return false;
    }
    pf::pause(20);
    return true;
}

// The recipient as the status window shows it: a quoted display name loses its commas.
std::string shown_recipient(const std::string& recipient) {
    std::string shown = recipient;
    if (shown.find('"') == std::string::npos) return shown;
    for (char& c : shown) {
        if (c == ',') c = '.';
    }
    pf::form("FORM9").control("EDIT12").set_text(shown);
    return shown;
}

void show_status_window() {
    if (!pf::forms().is_loaded("FORM6")) pf::forms().load("FORM6");
    pf::Form& status = pf::form("FORM6");
    status.background = pf::kFace;
    status.clear_drawing();
    status.show();
    pf::Form& main = pf::form("MAINFORM");
    main.set_topmost(false);
    main.set_enabled(false);
    status.set_topmost(true);
}

// The stored unsent mail the window was opened on goes once the mail is sent or kept again as a
// new unsent mail; when neither happened it stays.
void drop_reopened_unsent_mail(transfer::SendOutcome outcome) {
    if (!edits_unsent_mail() || outcome == transfer::SendOutcome::NoRequest) return;
    std::string name = trim(globals().UNSENT_FILE_NAME);
    if (name.empty()) return;
    std::string path = files::join(transfer::kUnsentFolder, name);
    try {
        files::remove_if_exists(path);
        transfer::discard_kept_attachments(name);
    } catch (const RuntimeError&) {
        report_file_error("MAINFORM", "未送信メールを削除できませんでした。   "_sj, path);
    }
}

// The mail neither went nor could be kept as unsent (a full disk): the compose window comes back
// with everything in it, and the user is told.
void keep_mail_open() {
    globals().COMPOSING = 1;
    pf::Form& main = pf::form("MAINFORM");
    main.set_enabled(true);
    main.set_pointer(pf::MousePointer::Arrow);
    if (!pf::forms().is_loaded("FORM9")) return;
    pf::Form& compose = pf::form("FORM9");
    compose.show();
    compose.set_enabled(true);
    compose.bring_to_front();
    report_file_error("FORM9", "メールを送信できず、未送信メールとしても保存できませんでした。   "_sj + "\r\n" + kept_open_text(),
                      transfer::kUnsentFolder);
}

}  // namespace

void BUTTON27_ON() {
    if (!pf::forms().is_loaded("FORM9")) return;
    ComposedMail mail = composed_mail();
    if (!ready_to(ComposeAction::Send, mail)) return;
    if (!write_request(request_lines(mail, from_line()))) return;

    // From here the mail goes.
    Globals& g = globals();
    close_trash_and_folder_windows();
    g.COMPOSING = 0;
    pf::Form& main = pf::form("MAINFORM");
    pf::Form& compose = pf::form("FORM9");
    main.hide();
    pf::pause(20);
    compose.hide();
    pf::pause(20);
    main.show();
    g.SEND_TO_TEXT = shown_recipient(mail.recipient);
    show_status_window();
    g.MANUAL_TRANSFER = 1;
    pf::EVENT_PUMP();
    transfer::SendOutcome outcome = transfer::SOUSIN();
    if (outcome == transfer::SendOutcome::NotKept) {
        keep_mail_open();
        return;
    }

    set_handovers_idle_or_tell("MAINFORM");
    drop_reopened_unsent_mail(outcome);
    transfer::refresh_unsent_button();
    if (pf::forms().is_loaded("FORM9")) {
        compose.set_pointer(pf::MousePointer::Hourglass);
        compose.control("LIST12").clear();
    }
    pf::EVENT_PUMP();
    if (pf::forms().is_loaded("FORM9")) pf::forms().unload("FORM9");
    main.set_enabled(true);
    main.set_pointer(pf::MousePointer::Arrow);
}

void BUTTON79_ON() {
    if (!pf::forms().is_loaded("FORM9")) return;
    ComposedMail mail = composed_mail();
    if (!ready_to(ComposeAction::Save, mail)) return;
    if (!pf::confirm("FORM9", "未送信メールとして保存"_sj,
                     "後で送信する場合、未送信メールとして保存します。"_sj + "\r\n" +
                         "ファイルに保存後、送信する場合は、メイン画面の「未送信メール」ボタンをクリックして呼び出して下さい。"_sj +
                         "\r\n\r\n" + "保存しますか？    "_sj)) {
        return;
    }
    Globals& g = globals();
    g.COMPOSING = 0;
    pf::Form& compose = pf::form("FORM9");
    compose.set_pointer(pf::MousePointer::Hourglass);
    bool kept = false;
    if (write_request(request_lines(mail, from_line()))) {
        try {
            kept = !transfer::keep_request_as_unsent().empty();
        } catch (const RuntimeError&) {
            files::close_all_files();
        }
        if (!kept) {
            report_file_error("FORM9", "未送信メールとして保存できませんでした。   "_sj + "\r\n" + kept_open_text(),
                              transfer::kUnsentFolder);
        }
    }
    compose.set_pointer(pf::MousePointer::Arrow);
    if (!kept) {
        g.COMPOSING = 1;
        return;
    }
    transfer::refresh_unsent_button();
    close_trash_and_folder_windows();
    compose.control("LIST12").clear();
    pf::stop_timer(compose.control("TIMER2"));
    pf::forms().unload("FORM9");
    pf::Form& main = pf::form("MAINFORM");
    main.show();
    main.set_enabled(true);
    if (main.minimized) main.set_window_state(pf::WindowState::Normal);
}

}  // namespace tv::compose
