#include "shell/main_face.h"

#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/drawing_styles.h"
#include "transfer/status_panel.h"

namespace tv::shell {

using namespace tv::literals;
namespace pf = tv::platform;
using pf::embossed_text;
using pf::engraved_text;
using pf::heading_bar;
using pf::kFace;
using pf::sunken_frame;

namespace {

void list_heading(pf::Form& main, int y1, int y2, const char* first_column, const char* date_column) {
    heading_bar(main, 13, y1, 367, y2);
    heading_bar(main, 371, y1, 398, y2);
    heading_bar(main, 402, y1, 839, y2);
    heading_bar(main, 843, y1, 1008, y2);
    main.font = pf::mincho(14);
    int y = y1 + 6;
    engraved_text(main, 168, y, sj(first_column));
    engraved_text(main, 377, y, "θ"_sj);
    engraved_text(main, 597, y, "件　名"_sj);
    engraved_text(main, 897, y, sj(date_column));
}

}  // namespace

void draw_main_face() {
    pf::Form& main = pf::form("MAINFORM");
    main.font = pf::mincho(32, pf::SizeUnit::Points, true, true);
    embossed_text(main, 12, 1, "Talvenor Ririvi");
    main.font.size = 22;
    embossed_text(main, 284, 11, "Ver." + trim(VERSION_TEXT));
    main.font.bold = false;
    main.font.italic = false;

    sunken_frame(main, 12, 55, 212, 82);
    main.font = pf::mincho(18);
    engraved_text(main, 62, 60, "受信ボックス"_sj);
    sunken_frame(main, 12, 385, 212, 412);
    engraved_text(main, 62, 390, "送信ボックス"_sj);

    list_heading(main, 86, 110, "差出人", "受信日時");
    list_heading(main, 416, 440, "宛　先", "送信日時");
    main.changed();
}

void single_instance_test() {
    auto& s = pf::services();
    pf::InstanceLock lock = s.system ? s.system->acquire_instance_lock(files::program_folder()) : pf::InstanceLock::Taken;
    if (lock == pf::InstanceLock::Taken) return;
    // Never run unguarded: a lock that cannot be had ends the start through the error trap.
    if (lock == pf::InstanceLock::Failed) raise_error(err::kAccessDenied, "the program folder cannot be locked");
    pf::pause(20);
    pf::message_box("MAINFORM", "PREVINSTANCE !", "既に同じアプリケ－ションが起動されています。"_sj, pf::MsgButtons::Ok,
                    pf::MsgIcon::Information);
    pf::end_program();
}

void prepare_main_window() {
    pf::Form& main = pf::form("MAINFORM");
    main.pointer = pf::MousePointer::Hourglass;
    for (const char* name : {"LIST1", "LIST3"}) {
        pf::Control& list = main.control(name);
        list.font = pf::gothic(14);
        list.width = 996;
        list.height = name == std::string("LIST1") ? 216 : 258;
        list.changed();
    }
    Globals& g = globals();
    g.TRASH_WINDOW_OPEN = 0;
    g.FOLDER_WINDOW_OPEN = 0;
    g.CHECK_INTERVAL = 600;
    g.ANSWER_TICKS = 0;
    g.ANSWER_CHECK_RUNNING = 0;
    g.FORWARD_SWITCH_CLICKS = 2;
    g.FORWARD_STOPPED = "1";
    g.REPLY_SWITCH_CLICKS = 2;
    g.REPLY_STOPPED = "1";
    g.REPLY_TEXT_SAVING = 0;
    main.font = pf::gothic(14);
    main.caption = program_caption();
    main.changed();
}

void show_splash() {
    auto& forms = pf::forms();
    forms.load("FORM5");
    pf::Form& splash = pf::form("FORM5");
    splash.pointer = pf::MousePointer::Hourglass;
    splash.background = kFace;
    splash.clear_drawing();
    splash.hide();
    splash.font = pf::mincho(32, pf::SizeUnit::Points, true, true);
    embossed_text(splash, 15, 10, "Talvenor Ririvi Ver." + VERSION_TEXT);
    splash.caption = program_caption();
    splash.show();
    splash.topmost = true;
    splash.font.bold = false;
    splash.font.italic = false;
    splash.changed();
}

}  // namespace tv::shell
