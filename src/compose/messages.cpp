#include "compose/messages.h"

#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

bool compose_window_busy(const std::string& owner) {
    if (!pf::forms().is_loaded("FORM9")) return false;
    pf::inform(owner, "作成中"_sj, "メールの作成中です。     "_sj);
    return true;
}

bool child_slot_taken(const std::string& form, const std::string& owner) {
    const std::string& holder = pf::forms().child_slot();
    if (holder.empty() || holder == form) return false;
    pf::inform(owner, "NOT OPEN !"_sj, "他のウィンドウが開いています。そのウィンドウを閉じてから操作して下さい。   "_sj);
    return true;
}

bool load_into_child_slot(const std::string& form, const std::string& owner) {
    if (child_slot_taken(form, owner)) return false;
    pf::forms().take_child_slot(form);
    pf::forms().load(form);
    return true;
}

void report_file_error(const std::string& owner, const std::string& what, const std::string& path) {
    pf::inform(owner, "FILE ERROR !"_sj, what + "\r\n\r\n" + path);
}

}  // namespace tv::compose
