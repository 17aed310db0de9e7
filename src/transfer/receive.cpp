#include "transfer/receive.h"

#include <algorithm>

#include "common/account_file.h"
#include "common/errors.h"
#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/receive_list_row.h"
#include "common/received_count_text.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/progress_window.h"
#include "store/receive_list.h"
#include "store/silent_reindex.h"
#include "transfer/account.h"
#include "transfer/component_check.h"
#include "transfer/interrupted_receive.h"
#include "transfer/new_mail.h"
#include "transfer/status_panel.h"
#include "transfer/transfer_result.h"
#include "transfer/transfer_windows.h"
#include "transfer/unsaved_attachments.h"

namespace tv::transfer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

using exchange::kReceiveResultFile;
using exchange::kResultDone;
using exchange::kResultError;
constexpr int kResultPolls = 2000;

bool begins(const std::string& text, std::string_view word) { return result_begins(text, word); }
bool contains(const std::string& text, const std::string& word) { return text.find(word) != std::string::npos; }

std::string first_line_key(const std::string& file_name) {
    return left_bytes(trim(files::read_first_line(files::join("JUSINBOX", file_name))), 300);
}

// The trimmed first lines of the mails in the box, to know a mail the server delivers again.
void remember_first_lines() {
    Globals& g = globals();
    pf::Control& mails = store::work_list("LIST2");
    if (numeric_value(g.KEEP_ON_SERVER) <= 0 || mails.count() == 0) return;
    g.FIRST_LINES.clear();
    for (int i = 1; i <= mails.count(); ++i) g.FIRST_LINES.push_back(first_line_key(store::listed_name(mails, i)));
}

bool is_duplicate(const std::string& file_name) {
    std::string key = first_line_key(file_name);
    if (is_blank(key)) return false;
    const auto& lines = globals().FIRST_LINES;
    return std::find(lines.begin(), lines.end(), key) != lines.end();
}

// The last item of the result file, once it holds at least ten bytes; bounded by passes.
std::string poll_result() {
    std::string result;
    for (int pass = 1; pass <= kResultPolls; ++pass) {
        pf::pause(20);
        auto items = files::read_items(kReceiveResultFile);
        if (!items) raise_error(err::kNotFound, "the receive result is missing");
        if (!items->empty()) result = items->back();
        pf::pause(20);
        if (trim(result).size() >= 10) return result;
    }
    return script_environment_error();
}

// What a receive whose helper stopped without a result says once the mail it stored is listed.
std::string stopped_receive_error(int stored) {
    return std::string(kResultError) + "受信処理が途中で終了しました。受信できた"_sj + std::to_string(stored) +
           "通のメールは受信ボックスに入っています。"_sj;
}

bool receive_refused() { return globals().TRANSFER_RUNNING || store::parse_exchange_running(); }

void message(const std::string& text) { pf::inform("MAINFORM", program_caption(), text); }

// The end of every receive: the counts as the lists now are, the windows as they were, the flag
// back to 0.
void closing_steps(bool manual) {
    store::DRAW_BOX_COUNTS();
    store::close_progress_window();
    pf::Form& main = pf::form("MAINFORM");
    if (manual) main.pointer = pf::MousePointer::Arrow;
    main.show();
    main.enabled = true;
    main.changed();
    globals().MANUAL_TRANSFER = 0;
}

void write_cache_after_receive() {
    pf::Control& list = store::receive_list();
    list.set_top_index(list.count() - 1);
    // Replaced whole, never removed first: a kill in between would lose every mark.
    pf::pause(20);
    store::write_receive_cache();
    pf::pause(20);
}

// Mails the server delivered again: only their files go; every other row keeps its mark.
void remove_duplicates(const std::vector<int>& positions, int new_mails, bool manual, UnsavedAttachment unsaved) {
    pf::Control& mails = store::work_list("LIST2");
    for (int position : positions) {
        std::string path = files::join("JUSINBOX", store::listed_name(mails, position + 1));
        if (!files::file_exists(path)) continue;
        files::close_all_files();
        pf::pause(20);
        files::remove_file(path);
    }
    pf::Control& records = store::work_list("LIST33");
    mails.clear();
    records.clear();
    pf::pause(20);
    store::LIST_FOLDER_FILES(store::receive_box().mail_folder, mails);
    pf::pause(20);
    store::LIST_FOLDER_FILES(store::receive_box().record_folder, records);
    pf::Control& list = store::receive_list();
    list.set_top_index(list.count() - 1);
    store::write_receive_cache();
    std::string text = received_count_text(static_cast<std::size_t>(new_mails)) + unsaved_attachment_note(unsaved);
    draw_status_panel(status_text(text));
    if (new_mails == 0 && manual) {
        store::close_progress_window();
        message("新着メールはありませんでした。"_sj);
    }
    tell_unsaved_attachments(unsaved, manual);
}

// `note` follows the result's text in the status line.
void report_result(const std::string& result, bool manual, const std::string& note) {
    pf::Form& main = pf::form("MAINFORM");
    main.font = pf::mincho(14);
    std::string trimmed = trim(result);
    if (begins(result, kResultError)) {
        draw_status_panel(status_text(from_byte(trimmed, 6) + note));
    } else if (begins(result, kResultDone)) {
        draw_status_panel(status_text(from_byte(trimmed, 5) + note));
    }
    if (manual && numeric_value(globals().ARRIVAL_SOUND) > 0 && begins(result, kResultDone)) {
        if (auto* sound = pf::services().sound) sound->play_and_wait(files::resolve("SYSTEM_F\\JUSIN.WAV").string());
    }
    store::close_progress_window();
    main.show();
    main.enabled = true;
    if (manual) main.pointer = pf::MousePointer::Arrow;
    main.changed();
    if (!manual || !begins(result, kResultError)) return;
    std::string text = from_byte(trimmed, 6);
    if (contains(result, "受信に失敗"_sj)) {
        message(text + "\r\n" + "もう一度受信ボタンをどうそ！  "_sj);
    } else if (contains(result, "パスワードを確認してください"_sj)) {
        message("サーバーに接続できませんでした。  "_sj + "\r\n" + "「アカウント情報」メニューから、"_sj + text);
    } else {
        message(text);
    }
}

// A failed manual receive keeps the list paired with the box and says so.
void mend_lists_after_failure() {
    pf::Control& mails = store::work_list("LIST2");
    store::LIST_FOLDER_FILES(store::receive_box().mail_folder, mails);
    if (store::receive_list().count() != mails.count()) {
        store::fill_receive_list_from_records({RowDate::Record, false});
        store::write_receive_cache();
    }
}

void run_receive(bool manual) {
    Globals& g = globals();
    pf::Form& main = pf::form("MAINFORM");
    remember_first_lines();
    main.enabled = false;
    main.changed();
    AccountData account = read_account_file();
    if (account.exists) pf::pause(20);
    if (!account.is_set()) {
        store::close_progress_window();
        main.show();
        main.enabled = true;
        if (manual) {
            main.pointer = pf::MousePointer::Arrow;
            main.changed();
            show_account_not_set();
        }
        main.changed();
        g.MANUAL_TRANSFER = 0;
        return;
    }
    pf::Control& mails = store::work_list("LIST2");
    std::string result;
    UnsavedAttachment unsaved = UnsavedAttachment::None;
    for (int attempts = 0;;) {
        // Mail the component stores from here on is listed at the next start if a kill stops us.
        note_receive_under_way();
        int old_count = mails.count();
        mails.clear();
        if (manual) {
            main.pointer = pf::MousePointer::Hourglass;
            main.changed();
            draw_receive_panel();
            draw_receive_blocks(1, 4);
        }
        clear_status_panel();
        files::write_line(exchange::kRequestFile, exchange::kRequestWord);
        pf::pause(20);
        files::write_line(kReceiveResultFile, "");
        pf::pause(20);
        if (manual) draw_receive_blocks(5, 18);
        pf::services().script_host->run_and_wait("sam045.wsf");
        pf::pause(20);
        if (manual) draw_receive_blocks(19, 24);
        result = poll_result();
        if (manual) draw_receive_blocks(25, 27);
        pf::pause(20);
        store::LIST_FOLDER_FILES(store::receive_box().mail_folder, mails);
        pf::pause(20);
        if (manual) draw_receive_blocks(28, 33);

        // Mail that reached the box gets its row whatever the result: a helper that stopped after
        // storing part of the mail must not leave files without rows until the next start.
        bool done = begins(result, kResultDone);
        int new_count = mails.count();
        if (done || new_count > old_count) {
            files::remove_if_exists(exchange::kParseResultFile);
            pf::pause(20);
            files::remove_if_exists(exchange::kRequestFile);
            pf::pause(20);
            int new_mails = 0;
            std::vector<int> duplicates;
            bool keep = numeric_value(g.KEEP_ON_SERVER) > 0;
            NewMailTaking taking{manual, g.ANSWER_CHECK_RUNNING > 0,
                                 (g.ANSWER_CHECK_RUNNING > 0 || g.MANUAL_TRANSFER == 0) ? ANSWER_MARK() : UNREAD_MARK()};
            for (int row = old_count + 1; row <= new_count; ++row) {
                pf::pause(20);
                std::string name = store::listed_name(mails, row);
                if (done && keep && is_duplicate(name)) {
                    duplicates.push_back(row - 1);
                    continue;
                }
                ++new_mails;
                NewMail mail = take_new_mail(name, taking);
                unsaved = std::max(unsaved, mail.unsaved);
                store::receive_list().add_item(mail.row);
            }
            if (!duplicates.empty()) {
                remove_duplicates(duplicates, new_mails, manual, unsaved);
                return;
            }
            write_cache_after_receive();
            // The program's own count: it also holds mail a component of a killed run stored
            // after the last listing.
            if (done) result = std::string(kResultDone) + received_count_text(static_cast<std::size_t>(new_mails));
            if (!done && result == script_environment_error()) result = stopped_receive_error(new_mails);
        }
        if (manual) draw_receive_blocks(34, 43);
        if (contains(result, "受信に失敗"_sj) && ++attempts <= 4) {
            pf::pause(20);
            continue;
        }
        break;
    }
    report_result(result, manual, unsaved_attachment_note(unsaved));
    // A receive never reports success over an attachment it could not save.
    tell_unsaved_attachments(unsaved, manual);
}

}  // namespace

void BUTTON3_ON() {
    BASP_CHECK();
    // A receive asked for inside another transfer, or while a mail is parsed, is refused before
    // anything is locked.
    if (receive_refused()) return;
    auto& forms = pf::forms();
    forms.load("FORM5");
    pf::Form& progress = pf::form("FORM5");
    progress.background = pf::kFace;
    progress.clear_drawing();
    progress.font = pf::gothic(12);
    progress.caption = program_caption();
    progress.show();
    pf::Form& main = pf::form("MAINFORM");
    main.topmost = false;
    main.enabled = false;
    main.changed();
    progress.topmost = true;
    progress.changed();
    globals().MANUAL_TRANSFER = 1;
    pf::EVENT_PUMP();
    JUSIN();
}

void JUSIN() {
    Globals& g = globals();
    // A transfer never starts inside another (an event pumped inside one), nor while a mail is
    // parsed: the new mails could not be parsed.
    if (receive_refused()) return;
    TransferGuard guard;
    bool manual = g.MANUAL_TRANSFER > 0;
    try {
        run_receive(manual);
    } catch (const RuntimeError&) {
        files::close_all_files();
        pf::pause(20);
        pf::form("MAINFORM").pointer = pf::MousePointer::Arrow;
        if (!manual) {
            pf::EVENT_PUMP();
            store::D_SAIK_AOUTO();
        } else {
            mend_lists_after_failure();
            store::close_progress_window();
            message("メールを受信できませんでした。   "_sj);
        }
    }
    closing_steps(manual);
    forget_receive_under_way();
}

}  // namespace tv::transfer
