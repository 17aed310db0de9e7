#include "shell/start_settings.h"

#include "common/answering_settings.h"
#include "common/exchange_files.h"
#include "common/flag_files.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::shell {

namespace pf = tv::platform;

void set_check_mark(const char* item, const std::string& value) {
    long long n = numeric_value(value);
    if (n != 0 && n != 1) return;
    pf::Control& control = pf::form("MAINFORM").control(item);
    control.checked = n == 1;
    control.changed();
}

void read_option_flags() {
    Globals& g = globals();
    g.EMPTY_TRASH_AT_EXIT = read_flag_record("SYSTEM_F\\GOMI_K");
    set_check_mark("KARA", g.EMPTY_TRASH_AT_EXIT);
    g.KEEP_ON_SERVER = read_last_line_value(exchange::kKeepOnServerFile);
    set_check_mark("serv", g.KEEP_ON_SERVER);
    g.NO_TRASH_CONFIRM = read_flag_record("SYSTEM_F\\GOMI_I");
    set_check_mark("SINAI", g.NO_TRASH_CONFIRM);
    g.ARRIVAL_SOUND = read_flag_record("SYSTEM_F\\SOUND_K");
    set_check_mark("SOUND", g.ARRIVAL_SOUND);
    g.MANUAL_TRANSFER = 0;
    g.VIEW_MODE = 0;
}

void record_os_generation() {
    // Linux counts as the newer generation: the address-book import reads vCard files.
    globals().OS_GENERATION = "2";
}

void take_menu_bar_height() {
    int height = pf::services().system ? pf::services().system->menu_bar_height() : 20;
    globals().MENU_BAR_HEIGHT_TEXT = " " + std::to_string(height);
}

void load_answering_settings() {
    Globals& g = globals();
    tv::load_answering_settings(SettingsReader::StartUp);
    g.REJECT_ALLOW_FORWARD = read_flag_record("SYSTEM_F\\KYOHI_TENSOU");
    g.REJECT_ALLOW_REPLY = read_flag_record("SYSTEM_F\\KYOHI_HENSIN");
}

}  // namespace tv::shell
