#include "shell/compose_button.h"

#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "transfer/component_check.h"

namespace tv::shell {

using namespace tv::literals;
namespace pf = tv::platform;

void BUTTON1_ON() {
    // Without a compose window to open the button does nothing: no window steps aside for it.
    if (!pf::forms().is_defined("FORM9")) return;
    // Only one mail is composed at a time; the open compose window is not brought forward.
    if (pf::forms().is_loaded("FORM9")) {
        pf::message_box("MAINFORM", "作成中"_sj, "メールの作成中です。     "_sj, pf::MsgButtons::Ok,
                        pf::MsgIcon::Information);
        return;
    }
    transfer::BASP_CHECK();
    pf::forms().load("FORM9");
    pf::form("FORM9").show();
    pf::Form& main = pf::form("MAINFORM");
    main.set_topmost(false);
    main.set_window_state(pf::WindowState::Minimized);
}

}  // namespace tv::shell
