#include "shell/startup.h"

#include <exception>

#include "answering/reply_log.h"
#include "common/globals.h"
#include "common/private_files.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/timers.h"
#include "shell/error_trap.h"
#include "shell/event_loop.h"
#include "shell/housekeeping.h"
#include "shell/main_face.h"
#include "shell/start_settings.h"
#include "store/first_run_rebuild.h"
#include "store/store_change.h"
#include "transfer/component_check.h"

namespace tv::shell {

using namespace tv::literals;
namespace pf = tv::platform;

void START_UP_SEQUENCE() {
    files::close_all_files();
    // The main window exists before anything runs: its load event is the first one queued.
    pf::forms().load("MAINFORM");
    pf::Form& main = pf::form("MAINFORM");
    main.background = {236, 233, 216};
    main.clear_drawing();
    main.hide();
    main.changed();
    // A second instance is refused before it touches any file of the running one.
    single_instance_test();
    files::keep_files_private();

    Globals& g = globals();
    g.HINT_TICKS = 0;
    g.ARRIVAL_ICON_SET = 0;
    g.COMPOSING = 0;
    g.AWAY_MAIL_ARRIVED = 0;
    g.MAINFORM_START_COUNT = 0;
    pf::start_timer(main.control("TIMER1"));
    pf::stop_timer(main.control("TIMER3"));
    pf::Control& unsent = main.control("BUTTON72");
    unsent.font = pf::gothic(14);
    unsent.caption = "未送信メール"_sj;
    unsent.changed();
    g.REPLY_LOG_SWEEP_TICKS = 0;
    g.REPLY_FROM_TRASH = 0;
    g.REPLY_FROM_FOLDER = 0;

    create_folder_tree();
    // A move or delete that a kill stopped is finished before any store is read.
    store::finish_unfinished_change();
    remove_atomic_write_leftovers();
    // An answering log left by a check that did not finish is kept: the next check finishes it.
    seed_settings_file();
    store::FIRST_RUN_REBUILD();
    answering::purge_reply_logs();
    draw_main_face();
    prepare_main_window();
    show_splash();
    read_option_flags();
    record_os_generation();
    transfer::startup_component_check();
    take_menu_bar_height();
    load_answering_settings();
}

void run_program() {
    try {
        try {
            START_UP_SEQUENCE();
            run_event_loop();
        } catch (const std::exception& e) {
            GLOBAL_ERROR_TRAP(error_number_of(e));
        }
    } catch (const pf::ProgramEnd&) {
    }
}

}  // namespace tv::shell
