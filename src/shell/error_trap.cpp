#include "shell/error_trap.h"

#include <new>

#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "transfer/transfer_windows.h"

namespace tv::shell {

using namespace tv::literals;
namespace pf = tv::platform;

int error_number_of(const std::exception& e) {
    if (auto* runtime = dynamic_cast<const RuntimeError*>(&e)) return runtime->number();
    if (dynamic_cast<const std::bad_alloc*>(&e)) return 7;  // out of memory
    return 51;                                               // internal error
}

namespace {

// Error 54: the next start finds the receive box without records and rebuilds them. A record
// that cannot be deleted stays; the others still go.
void delete_receive_records() {
    pf::pause(20);
    pf::Control& list = store::work_list("LIST2");
    store::LIST_FOLDER_FILES(store::receive_box().record_folder, list);
    pf::pause(20);
    for (int i = 1; i <= list.count(); ++i) {
        std::string path = files::join(store::receive_box().record_folder, store::listed_name(list, i));
        try {
            if (files::file_exists(path)) {
                files::remove_file(path);
                pf::pause(20);
            }
        } catch (const RuntimeError&) {
        }
    }
}

void report(int error_number) {
    pf::pause(20);
    pf::Form& main = pf::form("MAINFORM");
    main.pointer = pf::MousePointer::Arrow;
    main.topmost = false;
    main.changed();
    transfer::close_progress_windows();
    std::string title = "ERROR ! "_sj + " ( ER.No.："_sj + std::to_string(error_number) + " )" +
                        " ･･････ "_sj + program_caption();
    std::string first, advice = "本プログラムを再起動して下さい。              "_sj;
    if (error_number == 55) {
        first = "古いタイプのインターネット・エクスプローラーです。               "_sj;
        advice = "インターネット・エクスプローラーをヴァージョンアップした後(Ver.6.0以上)、本プログラムを再起動して下さい。              "_sj;
    } else if (error_number == 54) {
        first = "ファイルに異常があります。               "_sj;
    } else {
        first = "ネットワークが切断されました。               "_sj;
    }
    pf::message_box("MAINFORM", title, first + "\r\n\r\n" + advice, pf::MsgButtons::Ok, pf::MsgIcon::Exclamation);
    if (error_number == 54) delete_receive_records();
}

}  // namespace

void GLOBAL_ERROR_TRAP(int error_number) {
    // An error inside the trap itself ends the program the same way: files closed, in order.
    try {
        report(error_number);
    } catch (const std::exception&) {
    }
    files::close_all_files();
    pf::end_program();
}

}  // namespace tv::shell
