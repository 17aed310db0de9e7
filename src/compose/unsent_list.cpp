#include "compose/unsent_list.h"

#include <array>

#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "compose/address_window.h"
#include "compose/messages.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "transfer/unsent_store.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr std::array<WindowLabel, 5> kLabels{{
    {"未送信メール", 75, 12, 18, 5, 235, 35},
    {"宛    先", 160, 56, 18, 50, 359, 77},
    {"θ", 366, 57, 363, 50, 385, 77},
    {"件    名", 612, 56, 389, 50, 959, 77},
    {"送信する場合は、ダブルクリックによって未送信メールを選択して下さい。", 23, 603, 18, 596, 670, 628},
}};

pf::Form& window() { return pf::form("FORM10"); }
pf::Control& names() { return window().control("LIST29"); }
pf::Control& rows() { return window().control("LIST30"); }

void list_store() { names().set_items(files::list_folder_files(transfer::kUnsentFolder)); }

// One row per listed name, in the same order. A file that cannot be read gives a blank row, so
// row i still belongs to name i.
void build_rows(bool pump_between_files) {
    rows().clear();
    for (const auto& name : names().items()) {
        UnsentMail mail;
        try {
            mail = read_unsent_file(name);
        } catch (const RuntimeError&) {
            files::close_all_files();
        }
        if (pump_between_files) pf::EVENT_PUMP();
        if (!pf::forms().is_loaded("FORM10")) return;
        rows().add_item(unsent_row(mail));
    }
}

// Deletes an unsent mail and the attachments kept with it; false (and told) when it cannot.
bool delete_unsent(const std::string& name) {
    std::string path = files::join(transfer::kUnsentFolder, trim(name));
    try {
        if (files::file_exists(path)) files::remove_file(path);
        transfer::discard_kept_attachments(trim(name));
        return true;
    } catch (const RuntimeError&) {
        report_file_error("FORM10", "未送信メールを削除できませんでした。   "_sj, path);
        return false;
    }
}

}  // namespace

std::string unsent_row(const UnsentMail& mail) {
    return fit_width(mail.recipient, 48) + "  " + (mail.attachments.empty() ? " " : "F") + "   " +
           fit_width(mail.subject, 90);
}

void BUTTON72_ON() {
    if (compose_window_busy("MAINFORM")) return;
    if (child_slot_taken("FORM10", "MAINFORM")) return;
    globals().UNSENT_MODE = 1;
    load_into_child_slot("FORM10", "MAINFORM");
    pf::form("MAINFORM").set_enabled(false);
}

void show_unsent_layout() {
    pf::Form& f = window();
    f.show();
    f.set_topmost(true);
    f.caption = "未送信メール"_sj;
    f.changed();
    list_store();
    draw_labels(f, kLabels);
    for (const char* name : {"BUTTON73", "BUTTON74", "BUTTON92", "LIST30"}) {
        f.control(name).visible = true;
        f.control(name).changed();
    }
    f.control("LIST13").visible = false;
    f.control("LIST13").changed();
    build_rows(false);
}

void LIST30_DBLCLICK() {
    if (!pf::forms().is_loaded("FORM10")) return;
    int selected = rows().selected();
    if (selected < 0) return;
    globals().UNSENT_FILE_NAME = names().item(selected);
    pf::forms().unload("FORM10");
    if (!pf::forms().is_loaded("FORM9")) pf::forms().load("FORM9");
    pf::Form& compose = pf::form("FORM9");
    compose.show();
    compose.set_topmost(true);
    compose.set_enabled(true);
    pf::form("MAINFORM").hide();
}

void BUTTON73_ON() {
    if (!pf::forms().is_loaded("FORM10")) return;
    int selected = rows().selected();
    if (selected < 0) {
        pf::inform("FORM10", "NOT SELECT"_sj, "削除対象メールが選択されていません。    "_sj);
        return;
    }
    if (!pf::confirm("FORM10", "削除"_sj, "未送信メールを１件削除します。    "_sj + "\r\n" + "よろしいですか？    "_sj)) return;
    window().set_pointer(pf::MousePointer::Hourglass);
    delete_unsent(names().item(selected));
    list_store();
    build_rows(true);
    if (pf::forms().is_loaded("FORM10")) window().set_pointer(pf::MousePointer::Default);
}

void BUTTON74_ON() {
    if (!pf::forms().is_loaded("FORM10")) return;
    if (names().count() == 0) {
        pf::inform("FORM10", "NOT EXIST FILE"_sj, "未送信メールはありません。    "_sj);
        return;
    }
    if (!pf::confirm("FORM10", "全て削除"_sj, "未送信メールを全て削除します。    "_sj + "\r\n" + "よろしいですか？    "_sj)) return;
    window().set_pointer(pf::MousePointer::Hourglass);
    std::vector<std::string> all = names().items();
    for (const auto& name : all) {
        if (!delete_unsent(name)) break;
    }
    list_store();
    // What could not be deleted stays listed.
    build_rows(false);
    window().set_pointer(pf::MousePointer::Default);
}

}  // namespace tv::compose
