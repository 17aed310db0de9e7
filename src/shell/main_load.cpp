#include "shell/main_load.h"

#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/receive_list_row.h"
#include "common/sjis.h"
#include "common/summary_record.h"
#include "common/text_file.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/list_registration.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/progress_window.h"
#include "store/receive_list.h"
#include "store/send_list.h"
#include "store/silent_reindex.h"
#include "transfer/component_check.h"
#include "transfer/interrupted_receive.h"
#include "transfer/status_panel.h"
#include "transfer/transfer_windows.h"

namespace tv::shell {

using namespace tv::literals;
namespace pf = tv::platform;
using pf::engraved_text;
using pf::kFace;

namespace {

enum class Fill { Trusted, Records, Display };

Fill choose_fill(const pf::Control& mails, const pf::Control& records) {
    if (files::file_exists(store::kReceiveCache)) {
        int cached = count_list_cache(store::kReceiveCache);
        if (cached == mails.count() && cached == records.count()) return Fill::Trusted;
        files::remove_if_exists(store::kReceiveCache);
    }
    return store::records_pair_with_mails(mails, records) ? Fill::Records : Fill::Display;
}

void trusted_load(pf::Control& list) {
    for (int i = 0; i < 100; ++i) pf::pause(10);
    for (auto& row : load_list_cache(store::kReceiveCache)) list.add_item(std::move(row));
}

void draw_wait_window() {
    pf::EVENT_PUMP();
    pf::Form& wait = pf::form("FORM5");
    wait.background = kFace;
    wait.clear_drawing();
    pf::Form& main = pf::form("MAINFORM");
    main.show();
    main.topmost = false;
    main.changed();
    wait.show();
    wait.topmost = true;
    wait.font = pf::mincho(30, pf::SizeUnit::Points, true, true);
    engraved_text(wait, 20, 15, program_caption(), 2);  // its shadow lies two pixels off
    wait.font.size = 18;
    engraved_text(wait, 30, 78, "*** DataBase 再構築中 ***"_sj);
    wait.font.size = 21;
    engraved_text(wait, 30, 99, "Please Wait ･････････"_sj);
    wait.font.bold = false;
    wait.font.italic = false;
    wait.caption = "データベースの再構築"_sj;
    wait.changed();
    main.pointer = pf::MousePointer::Hourglass;
    main.changed();
}

// Every mail parsed through the display script; no record is written.
void display_rebuild(pf::Control& list, const pf::Control& mails) {
    if (mails.count() == 0) return;
    if (!pf::forms().is_loaded("FORM5")) pf::forms().load("FORM5");
    draw_wait_window();
    files::remove_if_exists(exchange::kParseResultFile);
    files::remove_if_exists(exchange::kRequestFile);
    for (int i = 1; i <= mails.count(); ++i) {
        std::string mail = store::listed_name(mails, i);
        ParseResult result =
            store::PARSE_MAIL(store::request_path(store::receive_box().mail_folder, mail), store::ParseCaller::MainListRepair);
        pf::EVENT_PUMP();
        list.add_item(row_from_record(summary_items_of(result), mail, RowDate::Record));
    }
}

void show_main_window() {
    store::close_progress_window();
    pf::Form& main = pf::form("MAINFORM");
    main.show();
    main.changed();
}

bool script_host_answered() {
    auto items = files::read_items(exchange::kCheckResultFile);
    return items && !items->empty() && !is_blank(items->back());
}

// The first load proves that the mail component can run and write a file.
void script_host_check() {
    pf::Form& main = pf::form("MAINFORM");
    main.enabled = false;
    main.pointer = pf::MousePointer::Hourglass;
    main.changed();
    files::write_line(exchange::kRequestFile, exchange::kRequestWord);
    pf::pause(20);
    pf::services().script_host->run_and_wait("sam000.wsf");
    pf::pause(20);
    for (int attempt = 1;; ++attempt) {
        pf::EVENT_PUMP();
        if (attempt > 25) {
            main.pointer = pf::MousePointer::Arrow;
            main.topmost = false;
            main.set_window_state(pf::WindowState::Normal);
            main.changed();
            transfer::close_progress_windows();
            std::string text = "[スクリプト・エラー]:スクリプトの動作環境が構築されていません。"_sj + "\r\n\r\n" +
                               "(本ソフトは、スクリプト言語の動作が可能な環境によってメールの"_sj + "\r\n" +
                               " 送受信を行うことができます。新しいインターネット・エクスプロ"_sj + "\r\n" +
                               " ーラーをインストールするか、または、あなたのセキュリティ・ソ"_sj + "\r\n" +
                               " フトの「スクリプト・ブロッカー」を解除して下さい。あるいは、"_sj + "\r\n" +
                               " 拡張子.wsf ファイルの既定のプログラムをWSHに設定して下さい)"_sj + "\r\n\r\n" +
                               "プログラムを終了します。     "_sj;
            pf::inform("MAINFORM", "NOT ON SCRIPT !", text);
            files::close_all_files();
            pf::end_program();
        }
        bool exists = files::file_exists(exchange::kCheckResultFile);
        bool answered = exists && script_host_answered();
        if (exists) pf::pause(20);
        if (answered) break;
        pf::pause(20);
    }
    files::write_line(exchange::kCheckResultFile, "");
    pf::pause(20);
}

}  // namespace

void fill_send_list() {
    store::refill_send_list(true);
    pf::Control& list = pf::form("MAINFORM").control("LIST1");
    list.set_top_index(list.count() - 1);
}

void MAINFORM_START() {
    Globals& g = globals();
    if (++g.MAINFORM_START_COUNT > 10) g.MAINFORM_START_COUNT = 5;
    bool display = false;
    pf::EVENT_PUMP();
    pf::Form& main = pf::form("MAINFORM");
    main.enabled = false;
    main.changed();
    transfer::BASP_CHECK();

    pf::Control& unsent = main.control("LIST32");
    unsent.clear();
    pf::pause(20);
    store::LIST_FOLDER_FILES("SYSTEM_F\\BADSOU", unsent);
    pf::pause(20);
    pf::Control& unsent_button = main.control("BUTTON72");
    unsent_button.font_weight = unsent.count() > 0 ? 700 : 400;
    unsent_button.changed();

    if (g.MAINFORM_RERUN <= 0) {
        pf::EXTATTACH("MAINFORM", "LIST3");
        pf::EXTATTACH("MAINFORM", "LIST1");
    }

    pf::Control& list = store::receive_list();
    list.clear();
    main.control("LIST1").clear();
    pf::Control& mails = store::work_list("LIST2");
    store::LIST_FOLDER_FILES(store::receive_box().mail_folder, mails);
    // Mail that a killed receive left without rows gets them before the cache is weighed.
    transfer::list_mail_of_interrupted_receive();
    transfer::clear_status_panel();
    pf::pause(20);
    pf::Control& records = store::work_list("LIST33");
    store::LIST_FOLDER_FILES(store::receive_box().record_folder, records);
    pf::pause(20);

    Fill fill = choose_fill(mails, records);
    // Inside another parse exchange no mail can be parsed: the rows come from the records.
    if (fill == Fill::Display && store::parse_exchange_running()) fill = Fill::Records;
    switch (fill) {
        case Fill::Trusted:
            trusted_load(list);
            break;
        case Fill::Records:
            store::fill_receive_list_from_records({RowDate::Record, true});
            store::write_receive_cache();
            break;
        case Fill::Display:
            display = true;
            display_rebuild(list, mails);
            list.set_top_index(list.count() - 1);
            if (mails.count() > 0) store::write_receive_cache();
            break;
    }

    show_main_window();
    if (display) {
        show_main_window();
        pf::EVENT_PUMP();
        store::D_SAIK_AOUTO();
        // The window stays disabled until the send list is built.
        main.enabled = false;
        main.changed();
    }
    list.set_top_index(list.count() - 1);
    fill_send_list();
    store::DRAW_BOX_COUNTS();

    if (g.MAINFORM_START_COUNT <= 1) script_host_check();
    main.enabled = true;
    main.pointer = pf::MousePointer::Arrow;
    main.changed();
    transfer::draw_hint_panel();
}

}  // namespace tv::shell
