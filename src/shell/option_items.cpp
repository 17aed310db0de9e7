#include "shell/option_items.h"

#include <string>

#include "common/exchange_files.h"
#include "common/flag_files.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "shell/start_settings.h"

namespace tv::shell {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

struct OptionItem {
    const char* item;
    std::string Globals::*global;
    const char* file;
    bool text_line;  // the keep-on-server file: a text line, the last line wins; else a FlagRecord
};

const OptionItem kServ{"serv", &Globals::KEEP_ON_SERVER, exchange::kKeepOnServerFile, true};
const OptionItem kSinai{"SINAI", &Globals::NO_TRASH_CONFIRM, "SYSTEM_F\\GOMI_I", false};
const OptionItem kKara{"KARA", &Globals::EMPTY_TRASH_AT_EXIT, "SYSTEM_F\\GOMI_K", false};
const OptionItem kSound{"SOUND", &Globals::ARRIVAL_SOUND, "SYSTEM_F\\SOUND_K", false};

void tell_keep_on_server(bool on) {
    if (on) {
        pf::inform("MAINFORM", "メールサーバからメールを削除しない !"_sj,
                   "この操作によって、メールサーバにメールが多数削除されずに残されている場合、メールの受信ルーチンに時間を要することになります。"_sj +
                       "\r\n" +
                       "可能であればこのチェックをオフにするか、定期的にサーバー内のメールをチェックし削除することをお勧め致します。"_sj);
    } else {
        pf::inform("MAINFORM", "メールサーバからメールを削除する !"_sj,
                   "この操作によって、メールを受信する毎に、メールサーバからメールが削除されます。"_sj);
    }
}

// The file decides, not the global: it is read again first, and only "0" and "1" switch.
void switch_option(const OptionItem& option) {
    Globals& g = globals();
    std::string value = option.text_line ? read_last_line_value(option.file) : read_flag_record(option.file);
    g.*option.global = value;
    set_check_mark(option.item, value);
    long long n = numeric_value(value);
    if (n != 0 && n != 1) return;
    std::string next = n == 0 ? "1" : "0";
    set_check_mark(option.item, next);
    if (option.text_line) {
        files::write_line(option.file, next);
    } else {
        write_flag_record(option.file, next);
    }
    g.*option.global = next;
    if (option.text_line) tell_keep_on_server(n == 0);
}

}  // namespace

void SERV_ON() { switch_option(kServ); }
void SINAI_ON() { switch_option(kSinai); }
void KARA_ON() { switch_option(kKara); }
void SOUND_ON() { switch_option(kSound); }

}  // namespace tv::shell
