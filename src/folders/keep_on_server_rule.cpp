#include "folders/keep_on_server_rule.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "folders/window_steps.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/receive_list.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;

bool keep_on_server_refuses(int row) {
    if (numeric_value(globals().KEEP_ON_SERVER) <= 0) return false;
    if (row == store::receive_list().count() - 1) return false;
    pf::inform("MAINFORM", "SORRY!!",
               "移動できません！"_sj + "\r\n\r\n" +
                   "メールサーバからメールを削除しない設定の場合は、受信メールリストの最も新しい下段のメールから移動して下さい。    "_sj);
    return true;
}

}  // namespace tv::folders
