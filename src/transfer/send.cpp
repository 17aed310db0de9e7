#include "transfer/send.h"

#include "common/account_file.h"
#include "common/address_book.h"
#include "common/errors.h"
#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/send_list_row.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/receive_list.h"
#include "store/parse_exchange.h"
#include "transfer/account.h"
#include "transfer/status_panel.h"
#include "transfer/transfer_result.h"
#include "transfer/transfer_windows.h"
#include "transfer/unsent_store.h"

namespace tv::transfer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

using exchange::kResultDone;
using exchange::kResultError;
using exchange::kSendRequestFile;
using exchange::kSendResultFile;
constexpr int kResultPolls = 2000;

bool begins(const std::string& text, std::string_view word) { return result_begins(text, word); }

// Every item of the result file joined, once it is not blank; bounded by passes.
std::string poll_result() {
    for (int pass = 1; pass <= kResultPolls; ++pass) {
        auto items = files::read_items(kSendResultFile);
        if (!items) raise_error(err::kNotFound, "the send result is missing");
        std::string result;
        for (const auto& item : *items) result += item;
        pf::pause(20);
        if (!is_blank(result)) return result;
    }
    return script_environment_error();
}

// The row of a new sent file: the recipient named from the address book when it is there.
void add_sent_row(const std::string& name, bool manual) {
    std::string path = files::join("SOUSINBOX", name);
    if (!files::file_exists(path)) return;
    auto lines = read_sent_file(path);
    if (lines.size() > 499) lines.resize(499);
    std::string recipient = lines.size() >= 3 ? from_byte(trim(lines[2]), 4) : std::string();
    if (auto named = book_name_for(trim(recipient))) recipient = *named;
    if (manual) pf::EVENT_PUMP();
    pf::form("MAINFORM").control("LIST1").add_item(build_send_row(lines, name, kSendListStyle, is_blank(recipient) ? nullptr : &recipient));
}

void restore_main_window(bool manual) {
    pf::Form& main = pf::form("MAINFORM");
    if (manual && pf::forms().is_loaded("FORM6")) pf::forms().unload("FORM6");
    main.pointer = pf::MousePointer::Arrow;
    if (manual) {
        main.show();
        main.set_window_state(pf::WindowState::Normal);
        main.enabled = true;
    }
    main.changed();
}

// Keeps the request as unsent mail, when there is one. A store that cannot take it (a full disk)
// leaves the request where it is, and the outcome says so.
void keep(SendOutcome& outcome) {
    try {
        if (!keep_request_as_unsent().empty()) outcome = SendOutcome::KeptUnsent;
    } catch (const RuntimeError&) {
        files::close_all_files();
        outcome = SendOutcome::NotKept;
    }
}

// A mail that did not go: kept as unsent, and the user is told. A mail the store could not take is
// told by the caller of a manual send, which still holds it.
void keep_unsent(bool manual, SendOutcome& outcome) {
    keep(outcome);
    bool kept = outcome != SendOutcome::NotKept;
    const std::string& text = kept ? "メールを送信できませんでした。未送信メールに保存しました。   "_sj
                                   : "メールを送信できませんでした。未送信メールにも保存できませんでした。   "_sj;
    if (!manual) {
        draw_status_panel(status_text(trim(text)));
    } else if (kept) {
        pf::inform("MAINFORM", "NOT SEND !", text);
    }
}

// `outcome` follows the mail as the send goes, so that a send cut short by an error knows it.
void run_send(bool manual, SendOutcome& outcome) {
    Globals& g = globals();
    pf::Form& main = pf::form("MAINFORM");
    main.enabled = false;
    main.changed();
    if (!read_account_file().is_set()) {
        if (pf::forms().is_loaded("FORM6")) pf::forms().unload("FORM6");
        main.show();
        main.enabled = true;
        main.pointer = pf::MousePointer::Arrow;
        main.changed();
        if (manual) show_account_not_set();
        keep(outcome);
        g.MANUAL_TRANSFER = 0;
        return;
    }
    pf::Control& sent = store::work_list("LIST5");
    int old_count = sent.count();
    main.pointer = pf::MousePointer::Arrow;
    if (manual) {
        main.hide();
        main.changed();
        draw_send_status();
        draw_send_segments(1, 4);
    }
    main.changed();
    clear_status_panel();
    files::write_line(exchange::kRequestFile, exchange::kRequestWord);
    files::write_line(kSendResultFile, "");
    pf::pause(20);
    if (manual) draw_send_segments(5, 12);
    pf::services().script_host->run_and_wait("sam042.wsf");
    if (manual) draw_send_segments(13, 28);
    std::string result = poll_result();
    if (manual) draw_send_segments(29, 40);
    pf::pause(20);
    store::LIST_FOLDER_FILES("SOUSINBOX", sent);
    pf::pause(20);
    for (int i = old_count + 1; i <= sent.count(); ++i) add_sent_row(store::listed_name(sent, i), manual);
    pf::Control& list = main.control("LIST1");
    list.set_top_index(list.count() - 1);
    if (sent.count() > old_count) store::DRAW_BOX_COUNTS();  // the counts follow the list
    pf::pause(20);
    if (manual) draw_send_segments(40, 43);
    main.font = pf::mincho(14);

    std::string trimmed = trim(result);
    bool done = begins(result, kResultDone);
    bool error = begins(result, kResultError);
    if (error) {
        draw_status_panel(status_text(from_byte(trimmed, 6)));
        main.pointer = pf::MousePointer::Hourglass;
        keep(outcome);
        main.pointer = pf::MousePointer::Arrow;
    } else if (done) {
        draw_status_panel(status_text("メールを送信しました！"_sj), true);
        outcome = SendOutcome::Sent;
        if (files::file_exists(kSendRequestFile)) {
            pf::pause(20);
            files::remove_if_exists(kSendRequestFile);
            pf::pause(20);
        }
    }
    if (manual) {
        restore_main_window(true);
        main.enabled = false;
        main.changed();
        pf::EVENT_PUMP();
        if (error) {
            std::string text = from_byte(trimmed, 6);
            if (upper_ascii(result).find("CANT CONNECT SERVER") != std::string::npos) {
                text = "サーバーに接続できませんでした。  "_sj + "\r\n\r\n" + text;
            }
            pf::inform("MAINFORM", program_caption(), text);
        }
        main.enabled = true;
        main.changed();
    }
    // Neither "DONE" nor "ERROR": the mail did not go either; keep it.
    if (!done && !error) keep_unsent(manual, outcome);
    g.MANUAL_TRANSFER = 0;
}

}  // namespace

void refresh_unsent_button() {
    pf::Form& main = pf::form("MAINFORM");
    pf::Control& unsent = main.control("LIST32");
    unsent.clear();
    pf::pause(20);
    store::LIST_FOLDER_FILES(kUnsentFolder, unsent);
    pf::pause(20);
    pf::Control& button = main.control("BUTTON72");
    button.font_weight = unsent.count() > 0 ? 700 : 400;
    button.changed();
}

SendOutcome SOUSIN() {
    Globals& g = globals();
    bool manual = g.MANUAL_TRANSFER > 0;
    SendOutcome outcome = SendOutcome::NoRequest;
    if (g.TRANSFER_RUNNING) {
        // A send asked for inside another transfer waits as unsent mail.
        keep_unsent(manual, outcome);
        g.MANUAL_TRANSFER = 0;
    } else {
        TransferGuard guard;
        try {
            run_send(manual, outcome);
        } catch (const RuntimeError&) {
            files::close_all_files();
            restore_main_window(manual);
            // A mail the server took is not kept again.
            if (outcome != SendOutcome::Sent) keep_unsent(manual, outcome);
            g.MANUAL_TRANSFER = 0;
        }
    }
    pf::pause(20);
    pf::pause(20);
    refresh_unsent_button();
    return outcome;
}

}  // namespace tv::transfer
