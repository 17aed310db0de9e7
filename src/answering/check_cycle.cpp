#include "answering/check_cycle.h"

#include "answering/answer_steps.h"
#include "answering/check_inputs.h"
#include "answering/check_record.h"
#include "answering/main_window.h"
#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/timers.h"
#include "store/parse_exchange.h"
#include "store/silent_reindex.h"
#include "transfer/receive.h"

namespace tv::answering {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr int kMaxRetries = 10;

pf::Control& timer3() { return pf::form("MAINFORM").control("TIMER3"); }

std::string arrival_caption() { return "Received！( Talvenor Ririvi Ver."_sj + VERSION_TEXT + " )"; }

// One check's working data.
struct Check {
    CheckInputs inputs;
    bool inputs_loaded = false;
    bool received = false;  // the receive has run
    AnsweringLog log;
    std::size_t received_count = 0;  // mails of the log at its first load
    bool log_loaded = false;
};

void receive(Check& check) {
    try {
        check.inputs = load_check_inputs();
        check.inputs_loaded = true;
    } catch (const RuntimeError&) {
        // Without its books no mail may be answered: the receive still runs, the mails wait in
        // the log for the next check.
        files::close_all_files();
    }
    show_main_minimized();
    pf::form("MAINFORM").set_focus("");
    enable_main(false);
    pf::pause(20);
    pf::EVENT_PUMP();
    transfer::JUSIN();
    check.received = true;
    // The receive gives the main window back at its end; the check still holds it until it ends.
    enable_main(false);
    pf::EVENT_PUMP();
}

// Loaded again after a read past the end: the mails handled meanwhile have left it.
void load_log(Check& check) {
    check.log = load_answering_log();
    if (!check.log_loaded) check.received_count = check.log.exists ? check.log.mails.size() : 0;
    check.log_loaded = true;
}

void handle_mails(Check& check) {
    for (const LoggedMail& mail : check.log.mails) {
        forward_step(mail, check.inputs);
        reply_step(mail, check.inputs);
    }
}

// The end of a check: the log holds only the records it could not reach (it handles at most 199),
// which wait for the next check; the caption and the icon tell whether mail came, and the timer
// runs again.
void finish(Check& check) {
    Globals& g = globals();
    std::size_t received_count = check.received_count;
    files::close_all_files();
    if (check.log.exists) pf::pause(20);
    if (g.ARRIVAL_ICON_SET == 0 && received_count > 0) set_arrival_icon();
    pf::pause(20);
    pf::pause(20);
    g.ANSWER_CHECK_RUNNING = 0;
    enable_main(true);
    main_font_gothic();
    if (g.AWAY_MAIL_ARRIVED > 0) {
        set_main_caption(arrival_caption());
        pf::pause(20);
    } else if (received_count == 0) {
        set_main_caption(kWaitingCaption);
    } else {
        set_main_caption(arrival_caption());
        g.AWAY_MAIL_ARRIVED = 1;
    }
    g.ANSWER_CHECK_RUNNING = 0;
    pf::pause(20);
    if (!timer3().timer_enabled) pf::start_timer(timer3());
    pf::pause(20);
    g.ANSWER_CHECK_RUNNING = 0;
    enable_main(true);
}

// After a failure: the mails not handled stay in the log for the next check, with the steps done
// written down, and the receive box is indexed again.
void clean_up() {
    Globals& g = globals();
    files::close_all_files();
    pf::pause(20);
    if (!timer3().timer_enabled) pf::start_timer(timer3());
    g.ANSWER_CHECK_RUNNING = 0;
    enable_main(true);
    main_font_gothic();
    if (pf::form("MAINFORM").caption.find("Received！"_sj) == std::string::npos) set_main_caption(kWaitingCaption);
    pf::pause(20);
    pf::pause(20);
    pf::stop_timer(timer3());
    pf::EVENT_PUMP();
    store::D_SAIK_AOUTO();
    pf::start_timer(timer3());
}

void run_check() {
    Globals& g = globals();
    pf::stop_timer(timer3());
    g.ANSWER_CHECK_RUNNING = 1;
    g.MANUAL_TRANSFER = 0;
    enable_main(false);
    main_font_gothic();
    set_main_caption("Now checking ･･･ Please wait !"_sj);
    Check check;
    int failures = 0;
    for (;;) {
        try {
            if (!check.received) {
                receive(check);
                if (!check.inputs_loaded) {
                    clean_up();
                    return;
                }
                failures = 0;
            }
            load_log(check);
            handle_mails(check);
            finish(check);
            return;
        } catch (const RuntimeError& e) {
            files::close_all_files();
            if (++failures > kMaxRetries || e.number() != err::kFileAnomaly) {
                clean_up();
                return;
            }
            // A read past the end: the log is read again and the mails not yet handled go on.
            pf::pause(20);
        }
    }
}

}  // namespace

void TIMER3_TIMER() {
    Globals& g = globals();
    // A tick queued before the timer stopped, or pumped inside a transfer or a parse, is no tick.
    if (!timer3().timer_enabled || g.TRANSFER_RUNNING || store::parse_exchange_running()) return;
    if (g.CHECK_INTERVAL == 0) g.CHECK_INTERVAL = 600;
    pf::pause(20);
    if (++g.ANSWER_TICKS > g.CHECK_INTERVAL + 2) g.ANSWER_TICKS = 2;
    if (g.ANSWER_TICKS != 1 && g.ANSWER_TICKS != g.CHECK_INTERVAL) {
        g.ANSWER_CHECK_RUNNING = 0;
        enable_main(true);
        return;
    }
    run_check();
}

}  // namespace tv::answering
