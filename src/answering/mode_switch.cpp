#include "answering/mode_switch.h"

#include "answering/main_window.h"
#include "common/account_file.h"
#include "common/answering_files.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/timers.h"
#include "store/mail_stores.h"
#include "transfer/component_check.h"

namespace tv::answering {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

const std::string& see_settings() { return "「タルベノール設定」を確認して下さい。     "_sj; }

std::string start_question() {
    return "メールの「自動転送」及び「自動返信」のタルベノールを開始します。   "_sj + "\r\n\r\n" +
           "タルベノールを停止する場合は、タスクバーのアイコンをクリックして"_sj + "\r\n" +
           "下さい(但しアイコンの表示が｢Now checking｣の場合は停止できま"_sj + "\r\n" +
           "せん。 タスクバーのアイコンが｢Talveno-chuu !｣ または、｢Rece"_sj + "\r\n" +
           "ived！｣の表示の時のみ停止可能です)。"_sj + "\r\n\r\n" + "よろしいですか？  "_sj;
}

void list_folder(const char* list, const char* folder) {
    store::LIST_FOLDER_FILES(folder, pf::form("MAINFORM").control(list));
}

pf::Control& timer3() { return pf::form("MAINFORM").control("TIMER3"); }

// An operation under way keeps the main window disabled: one that pumps events (a receive or
// send, a parse, a rebuild, a check), or a window in the child slot (the viewer, a book). A
// minimise and restore meanwhile must not let the user act on lists it is still changing.
bool main_window_held() { return pf::inside_event_pump() || !pf::forms().child_slot().empty(); }

}  // namespace

void BUTTON30_ON() {
    Globals& g = globals();
    if (pf::forms().is_loaded("FORM9")) return pf::inform("MAINFORM", "作成中"_sj, "メールの作成中です。     "_sj);
    transfer::BASP_CHECK();
    list_folder("LIST21", kReplyAttachmentFolder);
    AccountData account = read_account_file();
    if (account.exists) pf::pause(20);
    if (!account.is_set()) return pf::inform("MAINFORM", program_caption(), "アカウント情報が設定されていません。      "_sj);
    if (trim(g.FORWARD_ADDRESS).empty()) {
        return pf::inform("MAINFORM", "転送先アドレス"_sj, "転送先アドレスが設定されていません。   "_sj + "\r\n\r\n" + see_settings());
    }
    if (numeric_value(g.FORWARD_STOPPED) > 0 && numeric_value(g.REPLY_STOPPED) > 0) {
        return pf::inform("MAINFORM", "停止中"_sj, "メールの「自動転送」と「自動返信」は、現在停止中です。   "_sj + "\r\n\r\n" + see_settings());
    }
    list_folder("LIST19", kReplyTextFolder);
    if (pf::form("MAINFORM").control("LIST19").count() == 0 &&
        !pf::confirm("MAINFORM", "返信用本文なし"_sj,
                     "返信用本文が設定されていませんので、「自動返信」はできません。  "_sj + "\r\n\r\n" +
                         "タルベノールをスタートしますか？     "_sj)) {
        return;
    }
    if (!pf::confirm("MAINFORM", "タルベノールスタート"_sj, start_question())) return;
    for (int i = 0; i < 3; ++i) pf::pause(20);
    set_normal_icon(IconPauses::Start);
    g.ANSWER_TICKS = 0;
    show_main_minimized();
    pf::form("MAINFORM").set_topmost(false);
    set_main_caption(kWaitingCaption);
    g.AWAY_MAIL_ARRIVED = 0;
    pf::start_timer(timer3());
    g.ARRIVAL_ICON_SET = 0;
}

void MAINFORM_RESIZE() {
    Globals& g = globals();
    pf::Form& main = pf::form("MAINFORM");
    main.set_topmost(false);
    pf::pause(20);
    if (timer3().timer_enabled && !main.minimized) {
        // The user restored the waiting window: the mode stops. The timer stops before the message,
        // so a tick queued meanwhile finds it stopped.
        pf::stop_timer(timer3());
        set_main_caption(program_caption());
        pf::pause(20);
        pf::inform("MAINFORM", "タルベノール停止"_sj, "タルベノールを停止しました。     "_sj);
        g.AWAY_MAIL_ARRIVED = 0;
        enable_main(true);
        set_normal_icon(IconPauses::Resize);
    }
    pf::pause(20);
    if (!timer3().timer_enabled) {
        if (!main_window_held()) enable_main(true);
        set_normal_icon(IconPauses::Resize);
    }
    if (!timer3().timer_enabled && !main.minimized && g.ANSWER_CHECK_RUNNING == 1) show_main_minimized();
}

}  // namespace tv::answering
