#include "transfer/component_check.h"

#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/progress_window.h"

namespace tv::transfer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

[[noreturn]] void report_missing(const std::string& owner) {
    pf::inform(owner, "NOT EXIST MAIL COMPONENT !",
               "メール送受信コンポーネント（talvenor-mail）が正常にインストールされていません。   "_sj);
    files::close_all_files();
    pf::Form& main = pf::form("MAINFORM");
    main.pointer = pf::MousePointer::Hourglass;
    main.changed();
    pf::pause(20);
    main.pointer = pf::MousePointer::Arrow;
    main.changed();
    pf::end_program();
}

}  // namespace

bool mail_component_present() {
    auto& s = pf::services();
    return s.system && s.system->executable_exists(s.component_path);
}

void BASP_CHECK(const std::string& owner) {
    if (!mail_component_present()) report_missing(owner);
}

void startup_component_check() {
    if (mail_component_present()) {
        pf::pause(20);
        return;
    }
    store::close_progress_window();
    report_missing("MAINFORM");
}

}  // namespace tv::transfer
