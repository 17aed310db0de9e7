#include "platform/enter_key.h"

#include "common/sjis.h"

namespace tv::platform {

bool take_enter(Control& box, bool lower_case) {
    std::size_t at = box.text.find("\r\n");
    if (at == std::string::npos) return false;
    std::string text = trim(box.text.substr(0, at) + box.text.substr(at + 2));
    box.text = lower_case ? lower_ascii(text) : text;
    box.changed();
    return true;
}

}  // namespace tv::platform
